# virtual-sign run as a process: headless, over TCP, over a pseudo-terminal and from files.
find_package(nlohmann_json REQUIRED)
file(GLOB virtual_sign_program_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM virtual_sign_program_tests ${CMAKE_CURRENT_LIST_DIR}/cli_send_test.cpp)
add_executable(test_qt_virtualsign ${virtual_sign_program_tests})
target_link_libraries(test_qt_virtualsign PRIVATE ${core_modules} varnel_test_support
                                                  GTest::gtest_main nlohmann_json::nlohmann_json)
target_compile_definitions(test_qt_virtualsign PRIVATE
  VIRTUAL_SIGN_PATH="$<TARGET_FILE:virtual-sign>" VARNEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  VARNEL_CLI_PATH="$<TARGET_FILE:varnel-cli>")
add_dependencies(test_qt_virtualsign virtual-sign varnel-cli)
gtest_discover_tests(test_qt_virtualsign DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 120 ENVIRONMENT QT_QPA_PLATFORM=offscreen)
# Its man page names every option its --help lists.
find_program(PYTHON3 python3 REQUIRED)
add_test(NAME man_page_virtual_sign
         COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/check_man_page.py
                 $<TARGET_FILE:virtual-sign> ${PROJECT_SOURCE_DIR}/packaging/man/virtual-sign.1)

# varnel-cli send as a process to the virtual sign, with the protocol's real pauses between units
# (about 20 to 30 seconds a test): label "integration", so `ctest -LE integration` leaves it out.
add_executable(test_qt_virtualsign_send ${CMAKE_CURRENT_LIST_DIR}/cli_send_test.cpp)
target_link_libraries(test_qt_virtualsign_send PRIVATE ${core_modules} varnel_test_support
                                                       GTest::gtest_main nlohmann_json::nlohmann_json)
target_compile_definitions(test_qt_virtualsign_send PRIVATE
  VIRTUAL_SIGN_PATH="$<TARGET_FILE:virtual-sign>" VARNEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  VARNEL_CLI_PATH="$<TARGET_FILE:varnel-cli>")
add_dependencies(test_qt_virtualsign_send virtual-sign varnel-cli)
gtest_discover_tests(test_qt_virtualsign_send DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 180 LABELS integration
                                ENVIRONMENT QT_QPA_PLATFORM=offscreen)
