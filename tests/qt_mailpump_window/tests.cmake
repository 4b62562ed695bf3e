varnel_qt_test(qt_mailpump_window LIBS mailpump_gui)
# The single-instance test starts the program, which is built beside the test.
add_dependencies(test_qt_mailpump_window mailpump)
