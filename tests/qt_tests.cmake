# Programs that need the GUI build (included by tests/CMakeLists.txt when VARNEL_BUILD_GUI is on).
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

# mailpump's program run as a process: its headless modes need no display, and the way from
# varnel-cli through real mail servers to mailpump and the sign's line.
get_property(core_modules GLOBAL PROPERTY VARNEL_CORE_MODULES)
file(GLOB mailpump_program_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt_mailpump/*.cpp)
add_executable(test_qt_mailpump ${mailpump_program_tests})
target_link_libraries(test_qt_mailpump PRIVATE ${core_modules} varnel_test_support
                                               GTest::gtest_main)
target_compile_definitions(test_qt_mailpump PRIVATE MAILPUMP_PATH="$<TARGET_FILE:mailpump>")
add_dependencies(test_qt_mailpump mailpump varnel-cli)
gtest_discover_tests(test_qt_mailpump DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 120 ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# varnel_qt_test(<name> LIBS <library>...)
# Builds the Qt Test program test_<name> from tests/<name>/*.cpp and runs it on the offscreen
# platform. Each tests/qt_*/ folder with a tests.cmake calls it for itself.
function(varnel_qt_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.h)
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} varnel_test_support Qt6::Test)
  set_target_properties(test_${name} PROPERTIES AUTOMOC ON)
  target_compile_definitions(test_${name} PRIVATE VARNEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME test_${name} COMMAND test_${name})
  set_tests_properties(test_${name} PROPERTIES TIMEOUT 300
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

file(GLOB qt_test_scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt_*/tests.cmake)
foreach(script IN LISTS qt_test_scripts)
  include(${script})
endforeach()
