# Window side of the pictures: GDI+ files, the picture worker on rastkit.dll (through its import
# library), display bitmaps, the editing window and its dialogs.
if(WIN32)
  set(pic_dir ${CMAKE_CURRENT_LIST_DIR})
  vel_library(vel_picture_windows SOURCES
    ${pic_dir}/CGdiplusSession.h ${pic_dir}/CGdiplusSession.cpp
    ${pic_dir}/CPicFileIO.h ${pic_dir}/CPicFileIO.cpp ${pic_dir}/CPictureIO.h ${pic_dir}/CPictureIO.cpp
    ${pic_dir}/CPicThread.h ${pic_dir}/CPicThread.cpp
    ${pic_dir}/CPicWorkerLink.h ${pic_dir}/CPicWorkerLink.cpp
    ${pic_dir}/CPicBitmap.h ${pic_dir}/CPicBitmap.cpp ${pic_dir}/CPicDisplayList.h ${pic_dir}/CPicDisplayList.cpp
    ${pic_dir}/CRotateDlg.h ${pic_dir}/CRotateDlg.cpp ${pic_dir}/CSizeChgDlg.h ${pic_dir}/CSizeChgDlg.cpp
    ${pic_dir}/CEditPict.h ${pic_dir}/CEditPict.cpp ${pic_dir}/CPicEditSession.h ${pic_dir}/CPicEditSession.cpp
    ${pic_dir}/CPicPaste.h ${pic_dir}/CPicPaste.cpp
    ${pic_dir}/CEditPictures.h ${pic_dir}/CEditPictures.cpp
    ${pic_dir}/CPicJournalStore.h ${pic_dir}/CPicJournalStore.cpp
    LIBS vel_picture_memo vel_doc_gdi vel_text_windows vel_framework rastkit gdiplus gdi32 user32 ole32 comctl32)
endif()

if(WIN32 AND VEL_TESTS)
  # The dialogs' templates come from the program's resource script.
  enable_language(RC)
  set(pic_rc ${CMAKE_SOURCE_DIR}/app/VelText.rc)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/app -c 65001")
  vel_test(picture_window_tests
    SOURCES ${pic_dir}/tests/PicTestSupport.h ${pic_dir}/tests/PicFileIOTest.cpp ${pic_dir}/tests/PicThreadTest.cpp
            ${pic_dir}/tests/PicWindowTest.cpp ${pic_rc}
    LIBS vel_picture_windows vel_doclist_memo LABELS window)
  # The clipboard is the desktop's.
  set_tests_properties(picture_window_tests PROPERTIES RESOURCE_LOCK vel_desktop)
  # rastkit.dll beside the tests, where the loader looks first.
  add_custom_command(TARGET picture_window_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:picture_window_tests>)
endif()

# Memory and speed of large memos under Wine (tools: run it with tools/wine-run.sh).
if(WIN32)
  add_executable(picture_memory_bench ${pic_dir}/bench/PictureMemoryBench.cpp)
  target_compile_options(picture_memory_bench PRIVATE ${VEL_WARNINGS})
  target_include_directories(picture_memory_bench PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(picture_memory_bench PRIVATE vel_picture_windows vel_doclist_memo psapi)
  target_link_options(picture_memory_bench PRIVATE -municode)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(picture_memory_bench PRIVATE -Wl,--large-address-aware)
  endif()
  set_target_properties(picture_memory_bench PROPERTIES EXCLUDE_FROM_ALL ON)
  add_custom_command(TARGET picture_memory_bench POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:picture_memory_bench>)
endif()
