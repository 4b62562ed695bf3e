# Programs that need the GUI build (included by tests/CMakeLists.txt when VARNEL_BUILD_GUI is on).

# mailpump's program run as a process: its headless modes need no display.
add_executable(test_qt_mailpump ${CMAKE_CURRENT_SOURCE_DIR}/qt_mailpump/mailpump_program_test.cpp)
target_link_libraries(test_qt_mailpump PRIVATE varnel_receiver varnel_test_support
                                               GTest::gtest_main)
target_compile_definitions(test_qt_mailpump PRIVATE MAILPUMP_PATH="$<TARGET_FILE:mailpump>")
add_dependencies(test_qt_mailpump mailpump)
gtest_discover_tests(test_qt_mailpump DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 120 ENVIRONMENT QT_QPA_PLATFORM=offscreen)
