# System packages the build needs. Each missing one stops the configure step with
# the name of the Debian package that provides it.

function(brisktune_require found what package)
  if(NOT ${found})
    message(FATAL_ERROR "${what} was not found. Install the Debian package '${package}' "
                        "(sudo apt-get install ${package}), or run ./run.sh, which installs it.")
  endif()
endfunction()

find_package(Qt6 6.4 QUIET COMPONENTS Core Gui Widgets)
brisktune_require(Qt6_FOUND "Qt 6 Widgets" qt6-base-dev)

find_path(LAME_INCLUDE_DIR lame/lame.h)
find_library(LAME_LIBRARY mp3lame)
if(LAME_INCLUDE_DIR AND LAME_LIBRARY)
  set(LAME_FOUND TRUE)
endif()
brisktune_require(LAME_FOUND "libmp3lame (lame/lame.h)" libmp3lame-dev)

find_program(FAAD_PROGRAM faad)
brisktune_require(FAAD_PROGRAM "The FAAD2 decoder program 'faad'" faad)

if(BRISKTUNE_TESTS)
  find_package(GTest QUIET)
  brisktune_require(GTest_FOUND "GoogleTest" libgtest-dev)
  find_path(MPG123_INCLUDE_DIR mpg123.h)
  find_library(MPG123_LIBRARY mpg123)
  if(MPG123_INCLUDE_DIR AND MPG123_LIBRARY)
    set(MPG123_FOUND TRUE)
  endif()
  brisktune_require(MPG123_FOUND "libmpg123 (mpg123.h), used by the tests" libmpg123-dev)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  brisktune_require(DESKTOP_FILE_VALIDATE "desktop-file-validate, used by the tests" desktop-file-utils)
endif()
