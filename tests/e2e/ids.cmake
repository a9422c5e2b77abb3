# Writes ids.sh for the end-to-end scripts: every "#define NAME NUMBER" of the resource header, the
# main window's private messages from the core's list, and the Windows messages, keys and control
# ids the scripts use, read from the compiler's own headers, so that the scripts name them instead
# of repeating numbers.
#   cmake -DRESOURCE_H=... -DCOMMAND_IDS_H=... -DWINDOWS_INCLUDE=... -DOUT=... -P ids.cmake
set(lines "# Generated from res/resource.h, core/app/CommandIds.h and the Windows headers at build time; do not edit.\n")
file(STRINGS "${RESOURCE_H}" defines REGEX "^#define [A-Z_][A-Z0-9_]* +\\(?-?(0x[0-9A-Fa-f]+|[0-9]+)\\)?")
foreach(line ${defines})
  string(REGEX REPLACE "^#define ([A-Z_][A-Z0-9_]*) +\\(?(-?(0x[0-9A-Fa-f]+|[0-9]+))\\)?.*" "\\1=\\2" entry "${line}")
  string(APPEND lines "${entry}\n")
endforeach()
file(STRINGS "${COMMAND_IDS_H}" constants REGEX "constexpr unsigned WM_[A-Z_]+ = (0x[0-9A-Fa-f]+|[0-9]+);")
foreach(line ${constants})
  string(REGEX REPLACE ".* (WM_[A-Z_]+) = (0x[0-9A-Fa-f]+|[0-9]+);.*" "\\1=\\2" entry "${line}")
  string(APPEND lines "${entry}\n")
endforeach()

# Windows' own numbers, in hex as its headers write them. A value may be another name plus a
# number (HKM_GETHOTKEY is WM_USER+2).
set(windows_names
  WM_NULL WM_CLOSE WM_QUERYENDSESSION WM_ENDSESSION WM_COMMAND WM_SYSCOMMAND WM_LBUTTONDOWN WM_RBUTTONUP
  SC_CLOSE IDOK IDCANCEL IDYES IDNO IDRETRY BM_GETCHECK HKM_GETHOTKEY HOTKEYF_SHIFT HOTKEYF_CONTROL HOTKEYF_ALT
  TVM_GETCOUNT cmb13
  VK_RETURN VK_SHIFT VK_CONTROL VK_MENU VK_CAPITAL VK_ESCAPE VK_DOWN VK_INSERT VK_F24 VK_SPACE
  VK_LSHIFT VK_RSHIFT VK_LCONTROL VK_RCONTROL VK_LMENU VK_RMENU)
set(windows_defines)
foreach(header winuser.h commctrl.h dlgs.h)
  file(STRINGS "${WINDOWS_INCLUDE}/${header}" found REGEX "^#define +[A-Za-z_][A-Za-z0-9_]* +[(]?[A-Za-z0-9_ +]+[)]?$")
  list(APPEND windows_defines ${found})
endforeach()
function(windows_value name out)
  set(matches ${windows_defines})
  list(FILTER matches INCLUDE REGEX "^#define +${name} ")
  if(NOT matches)
    message(FATAL_ERROR "ids.cmake: no #define ${name} in ${WINDOWS_INCLUDE}")
  endif()
  list(GET matches 0 line)
  string(REGEX REPLACE "^#define +${name} +" "" expr "${line}")
  string(REGEX MATCHALL "(^|[^0-9A-Za-z_])[A-Za-z_][A-Za-z0-9_]*" references "${expr}")
  foreach(reference ${references})
    string(REGEX REPLACE "^[^A-Za-z_]" "" reference "${reference}")
    windows_value(${reference} number)
    string(REGEX REPLACE "(^|[^0-9A-Za-z_])${reference}([^0-9A-Za-z_]|$)" "\\1${number}\\2" expr "${expr}")
  endforeach()
  math(EXPR number "${expr}" OUTPUT_FORMAT HEXADECIMAL)
  set(${out} ${number} PARENT_SCOPE)
endfunction()
foreach(name ${windows_names})
  windows_value(${name} value)
  string(APPEND lines "${name}=${value}\n")
endforeach()

file(WRITE "${OUT}.tmp" "${lines}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
