#!/usr/bin/env bash
# Builds the fuzzers with clang and libFuzzer, ASan and UBSan, apart from the CMake trees (which
# use g++). Each is rebuilt only when one of its sources changed.
#   fuzz/build.sh OUT_DIR NAME      makes OUT_DIR/NAME_fuzz and prints its path
#   fuzz/build.sh --names           the fuzzers there are, one a line
# NAME: archive (the data file reader), segmentation (normalisation and the cut into runs and
# tokens), ini (settings values and rules), find (Find's query, word search and results).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
names=(archive segmentation ini find)
if [[ ${1:-} == --names ]]; then
  printf '%s\n' "${names[@]}"
  exit 0
fi
out=${1:?usage: fuzz/build.sh OUT_DIR NAME}
name=${2:?usage: fuzz/build.sh OUT_DIR NAME}

lib=$root/core/library
case "$name" in
  archive) sources=("$root/fuzz/ArchiveFuzz.cpp" "$lib/CArchiveReader.cpp" "$lib/CArchiveWriter.cpp"
    "$lib/DataArchive.cpp" "$lib/CLibrary.cpp" "$lib/ExportFormat.cpp") ;;
  segmentation) sources=("$root/fuzz/SegmentationFuzz.cpp" "$root/core/paste/Segmentation.cpp") ;;
  ini) sources=("$root/fuzz/IniFuzz.cpp" "$lib/IniValue.cpp" "$lib/SettingsRules.cpp" "$lib/CData.cpp"
    "$lib/CLibrary.cpp") ;;
  find) sources=("$root/fuzz/FindFuzz.cpp" "$root"/core/find/*.cpp "$lib/CLibrary.cpp") ;;
  *) echo "fuzz/build.sh: no fuzzer named $name" >&2; exit 2 ;;
esac
mkdir -p "$out"
binary=$out/${name}_fuzz

stale=0
if [[ ! -x $binary ]]; then stale=1; fi
for f in "${sources[@]}" "$root"/core/*/*.h "$root"/fuzz/*.h "$root/fuzz/build.sh"; do
  if [[ $f -nt $binary ]]; then stale=1; fi
done
if ((stale)); then
  cxx=${CXX_FUZZ:-clang++}
  "$cxx" -std=c++20 -O2 -g -Wall -Wextra -Werror -I"$root" \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
    "${sources[@]}" -o "$binary.tmp"
  mv "$binary.tmp" "$binary"
fi
echo "$binary"
