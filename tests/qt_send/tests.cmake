# Sending from varnel's window, end to end: menu commands, "Send option...", the progress and
# dial-up windows, against signs on loopback TCP and pseudo-terminals, and by e-mail through Dovecot
# and aiosmtpd.
varnel_qt_test(qt_send LIBS varnel_gui)
target_sources(test_qt_send PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/modal_script.cpp
                                    ${CMAKE_CURRENT_SOURCE_DIR}/signlink_serial/fake_modem.cpp)
add_dependencies(test_qt_send varnel-cli)
