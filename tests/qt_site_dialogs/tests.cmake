# The address book's site, group and TCP/IP group dialogs and the shared name-entry dialog.
varnel_qt_test(qt_site_dialogs LIBS varnel_gui)
target_sources(test_qt_site_dialogs PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/modal_script.cpp)
