# Writes ids.sh for the end-to-end scripts: every "#define NAME NUMBER" of the resource header and
# the main window's private messages from the core's list (kWmExitApp becomes WM_EXIT_APP), so
# that the scripts name them instead of repeating numbers.
#   cmake -DRESOURCE_H=... -DCOMMAND_IDS_H=... -DOUT=... -P ids.cmake
set(lines "# Generated from res/resource.h and core/app/CommandIds.h at build time; do not edit.\n")
file(STRINGS "${RESOURCE_H}" defines REGEX "^#define [A-Z_][A-Z0-9_]* +\\(?-?(0x[0-9A-Fa-f]+|[0-9]+)\\)?")
foreach(line ${defines})
  string(REGEX REPLACE "^#define ([A-Z_][A-Z0-9_]*) +\\(?(-?(0x[0-9A-Fa-f]+|[0-9]+))\\)?.*" "\\1=\\2" entry "${line}")
  string(APPEND lines "${entry}\n")
endforeach()
file(STRINGS "${COMMAND_IDS_H}" constants REGEX "constexpr unsigned kWm[A-Za-z]+ = (0x[0-9A-Fa-f]+|[0-9]+);")
foreach(line ${constants})
  string(REGEX REPLACE ".* k([A-Za-z]+) = (0x[0-9A-Fa-f]+|[0-9]+);.*" "\\1;\\2" parts "${line}")
  list(GET parts 0 camel)
  list(GET parts 1 value)
  # WmExitApp -> WM_EXIT_APP
  string(REGEX REPLACE "([a-z0-9])([A-Z])" "\\1_\\2" snake "${camel}")
  string(TOUPPER "${snake}" name)
  string(APPEND lines "${name}=${value}\n")
endforeach()
file(WRITE "${OUT}.tmp" "${lines}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
