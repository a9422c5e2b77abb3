#!/usr/bin/env bash
# Builds the data file fuzzer with clang and libFuzzer, ASan and UBSan, apart from the CMake
# trees (which use g++).
#   fuzz/build.sh OUT_DIR      makes OUT_DIR/archive_fuzz (rebuilt only when a source changed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: fuzz/build.sh OUT_DIR}
mkdir -p "$out"

sources=(
  "$root/fuzz/ArchiveFuzz.cpp"
  "$root/core/library/CArchiveReader.cpp"
  "$root/core/library/CArchiveWriter.cpp"
  "$root/core/library/DataArchive.cpp"
  "$root/core/library/CLibrary.cpp"
  "$root/core/library/ExportFormat.cpp"
)
binary=$out/archive_fuzz

stale=0
if [[ ! -x $binary ]]; then stale=1; fi
for f in "${sources[@]}" "$root"/library/*.h "$root/fuzz/build.sh"; do
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
