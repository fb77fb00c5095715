# brisktune_glob_sources(<var> [EXCLUDE <names...>]): the .cpp files of the current
# folder (re-globbed when files are added), or the empty stand-in when there are none.
function(brisktune_glob_sources var)
  cmake_parse_arguments(G "" "" "EXCLUDE" ${ARGN})
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(name ${G_EXCLUDE})
    list(REMOVE_ITEM found ${CMAKE_CURRENT_SOURCE_DIR}/${name})
  endforeach()
  if(NOT found)
    set(found ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  set(${var} ${found} PARENT_SCOPE)
endfunction()
