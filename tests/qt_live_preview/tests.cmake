varnel_qt_test(qt_live_preview LIBS varnel_gui)
