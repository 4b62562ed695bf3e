varnel_qt_test(qt_varnel LIBS varnel_gui)

# The documentation's screenshots (main window, setup dialog, the Insert menu's dialogs). A program,
# not a test: `cmake --build build --target screenshots` writes them to docs/ on the offscreen
# platform.
add_executable(varnel_screenshots ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/screenshots/screenshots.cpp
                                  ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/screenshots/device_shots.cpp)
target_link_libraries(varnel_screenshots PRIVATE varnel_gui varnel_test_support Qt6::Test)
set_target_properties(varnel_screenshots PROPERTIES AUTOMOC ON)
add_custom_target(screenshots
                  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                          $<TARGET_FILE:varnel_screenshots> ${PROJECT_SOURCE_DIR}/docs
                  DEPENDS varnel_screenshots
                  COMMENT "Writing the screenshots to docs/"
                  VERBATIM)
