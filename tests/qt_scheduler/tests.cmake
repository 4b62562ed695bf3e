# "Scheduler and Special Functions" driven through its window, with the main window's modal-window
# helper, and checked against what varnel-cli exports from the saved workspace.
varnel_qt_test(qt_scheduler LIBS varnel_gui)
target_sources(test_qt_scheduler PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/modal_script.cpp)
add_dependencies(test_qt_scheduler varnel-cli)
