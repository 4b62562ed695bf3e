# varnel's main window as a desktop window: undo keys in the editor, the menus from the keyboard,
# maximize and restore.
varnel_qt_test(qt_main_window LIBS varnel_gui)
