# The device, modem and mail settings dialogs, driven as the user drives them.
varnel_qt_test(qt_device_dialogs LIBS varnel_gui)
target_sources(test_qt_device_dialogs PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/modal_script.cpp)
target_include_directories(test_qt_device_dialogs PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel)
