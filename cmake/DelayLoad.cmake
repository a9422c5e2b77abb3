# Libraries the program needs only for one command (Save As, the about box's picture) are
# delay-loaded: the system maps them on their first call instead of at every start.
#   brindlex_delay_import(OUT_VAR dll symbol...)  sets OUT_VAR to a delay-import library for them
find_program(BRINDLEX_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
function(brindlex_delay_import out dll)
  set(dir ${CMAKE_BINARY_DIR}/delay-import)
  set(def ${dir}/${dll}.def)
  set(lib ${dir}/lib${dll}_delay.a)
  list(JOIN ARGN "\n" exports)
  file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  add_custom_command(OUTPUT ${lib}
    COMMAND ${BRINDLEX_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(${dll}_delay_import DEPENDS ${lib})
  add_library(${dll}_delay STATIC IMPORTED GLOBAL)
  set_target_properties(${dll}_delay PROPERTIES IMPORTED_LOCATION ${lib})
  add_dependencies(${dll}_delay ${dll}_delay_import)
  set(${out} ${dll}_delay PARENT_SCOPE)
endfunction()
