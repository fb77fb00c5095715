include(GoogleTest)

# brisktune_add_test(<area> SOURCES <files...> [LIBS <targets...>] [GUI] [LABELS <ignored>])
# Each discovered test is labelled with its area alone (test discovery keeps one label).
#
# One test executable per area, test_<area>, in <build>/bin. GUI tests get a
# QApplication main and run offscreen; the others use GoogleTest's own main.
# Every test gets BRISKTUNE_TEST_SCRATCH, a scratch folder of its area under the
# build tree; tests that touch settings or the desktop point HOME and the XDG
# folders into a temporary folder of their own.
function(brisktune_add_test area)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;LABELS" ${ARGN})
  set(exe test_${area})
  add_executable(${exe} ${T_SOURCES})
  target_include_directories(${exe} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${T_LIBS} GTest::gtest)
  target_compile_definitions(${exe} PRIVATE
    BRISKTUNE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    BRISKTUNE_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    BRISKTUNE_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    BRISKTUNE_ARTIFACTS_DIR="${CMAKE_BINARY_DIR}/test-artifacts")
  set(env "BRISKTUNE_TEST_SCRATCH=${CMAKE_BINARY_DIR}/test-scratch/${area}")
  if(T_GUI)
    target_sources(${exe} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/gui_test_main.cpp)
    target_link_libraries(${exe} PRIVATE Qt6::Widgets)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  else()
    target_link_libraries(${exe} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    PROPERTIES ENVIRONMENT "${env}" LABELS ${area} TIMEOUT 300)
endfunction()
