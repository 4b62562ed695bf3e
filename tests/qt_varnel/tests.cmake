varnel_qt_test(qt_varnel LIBS varnel_gui)

# The documentation's screenshots of the main window and the setup dialog. The test is skipped
# unless VARNEL_SCREENSHOT_DIR names the folder to write them to.
add_executable(test_qt_varnel_screenshots
               ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/screenshots/screenshots_test.cpp)
target_link_libraries(test_qt_varnel_screenshots PRIVATE varnel_gui varnel_test_support Qt6::Test)
set_target_properties(test_qt_varnel_screenshots PROPERTIES AUTOMOC ON)
target_compile_definitions(test_qt_varnel_screenshots PRIVATE
                           VARNEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME test_qt_varnel_screenshots COMMAND test_qt_varnel_screenshots)
set_tests_properties(test_qt_varnel_screenshots PROPERTIES TIMEOUT 120
                     ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
