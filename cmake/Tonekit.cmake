# tonekit.so: the whole engine archive behind a version script that exports exactly
# the public C names listed in tonekit_exports.txt, and nothing else.
file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/tonekit_exports.txt TONEKIT_EXPORTS REGEX "^[A-Za-z_0-9]+$")
list(JOIN TONEKIT_EXPORTS ";\n    " _tonekit_globals)
set(TONEKIT_VERSION_SCRIPT ${CMAKE_BINARY_DIR}/tonekit.map)
file(WRITE ${TONEKIT_VERSION_SCRIPT} "{\n  global:\n    ${_tonekit_globals};\n  local: *;\n};\n")

add_library(tonekit SHARED ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
set_target_properties(tonekit PROPERTIES PREFIX "" OUTPUT_NAME tonekit
                      LINK_DEPENDS ${TONEKIT_VERSION_SCRIPT})
target_link_libraries(tonekit PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,tonekit_lib>")
target_link_options(tonekit PRIVATE "LINKER:--version-script=${TONEKIT_VERSION_SCRIPT}"
                    "LINKER:--no-undefined")
