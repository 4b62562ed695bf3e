# The bitmap editor window, its index dialog, and varnel keeping a picture data file that did not
# load.
varnel_qt_test(qt_bitmap_editor LIBS varnel_gui)
target_sources(test_qt_bitmap_editor PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel/modal_script.cpp)
target_include_directories(test_qt_bitmap_editor PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/qt_varnel)
