# The address book on disk: varnel's windows in this process, and varnel run as a program (this
# test started again with a script, and the real program) to be killed or stopped; and a book set
# up through the windows alone, read back by varnel-cli and by varnel's next start.
varnel_qt_test(qt_book_safety LIBS varnel_gui)
target_sources(test_qt_book_safety PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/modal_script.cpp)
target_include_directories(test_qt_book_safety PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel)
target_compile_definitions(test_qt_book_safety PRIVATE VARNEL_PATH="$<TARGET_FILE:varnel>")
add_dependencies(test_qt_book_safety varnel varnel-cli)
