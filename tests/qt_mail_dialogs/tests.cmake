# The mail server, authentication and mail list dialogs, driven as the user drives them.
varnel_qt_test(qt_mail_dialogs LIBS varnel_gui)
target_sources(test_qt_mail_dialogs PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/modal_script.cpp)
target_include_directories(test_qt_mail_dialogs PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel
                                                        ${CMAKE_CURRENT_SOURCE_DIR}/qt_device_dialogs)
