# Window side of the pictures: GDI+ files, the picture worker on rastkit.dll (through its import
# library), display bitmaps, the editing window and its dialogs.
if(WIN32)
  set(pic_dir ${CMAKE_CURRENT_LIST_DIR})
  vel_library(vel_picture_windows SOURCES
    ${pic_dir}/CGdiplusSession.h ${pic_dir}/CGdiplusSession.cpp
    ${pic_dir}/CPicFileIO.h ${pic_dir}/CPicFileIO.cpp
    ${pic_dir}/CPicWorkerHost.h ${pic_dir}/CPicThread.h ${pic_dir}/CPicThread.cpp
    ${pic_dir}/CPicWorkerLink.h ${pic_dir}/CPicWorkerLink.cpp
    ${pic_dir}/CPicBitmap.h ${pic_dir}/CPicBitmap.cpp ${pic_dir}/CPicDisplayList.h ${pic_dir}/CPicDisplayList.cpp
    LIBS vel_picture_memo vel_doc_gdi vel_framework rastkit gdiplus gdi32 user32 ole32 comctl32)
endif()

if(WIN32 AND VEL_TESTS)
  vel_test(picture_window_tests
    SOURCES ${pic_dir}/tests/PicTestSupport.h ${pic_dir}/tests/PicFileIOTest.cpp ${pic_dir}/tests/PicThreadTest.cpp
    LIBS vel_picture_windows vel_doclist_memo LABELS window)
  # rastkit.dll beside the tests, where the loader looks first.
  add_custom_command(TARGET picture_window_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:picture_window_tests>)
endif()
