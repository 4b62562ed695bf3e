varnel_qt_test(qt_varnel LIBS varnel_gui)
