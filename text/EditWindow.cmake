# Window side of the text engine: the text edit window with its input method, clipboard and
# context menu.
if(WIN32)
  vel_library(vel_text_windows SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CEditSettings.h
    ${CMAKE_CURRENT_LIST_DIR}/CImeContext.h ${CMAKE_CURRENT_LIST_DIR}/CImeContext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CClipboardText.h ${CMAKE_CURRENT_LIST_DIR}/CClipboardText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEditText.h ${CMAKE_CURRENT_LIST_DIR}/CEditText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEditExp.h ${CMAKE_CURRENT_LIST_DIR}/CEditExp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEditExpWorker.cpp ${CMAKE_CURRENT_LIST_DIR}/CEditMessages.h
    ${CMAKE_CURRENT_LIST_DIR}/CEditWorker.h ${CMAKE_CURRENT_LIST_DIR}/CEditPictureHooks.h
    ${CMAKE_CURRENT_LIST_DIR}/CEditWorkerLink.h ${CMAKE_CURRENT_LIST_DIR}/CEditWorkerLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEditJournal.h ${CMAKE_CURRENT_LIST_DIR}/CEditJournal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CStandInWorker.h ${CMAKE_CURRENT_LIST_DIR}/CStandInWorker.cpp
    LIBS vel_doc_gdi vel_doclist_memo vel_calc vel_text_queue vel_framework imm32 shell32)
endif()

if(WIN32 AND VEL_TESTS)
  vel_test(edit_window_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/EditWindowTest.cpp
           ${CMAKE_CURRENT_LIST_DIR}/tests/EditWorkerTest.cpp
           ${CMAKE_CURRENT_LIST_DIR}/tests/EditJournalTest.cpp
           LIBS vel_text_windows LABELS window)
  # The clipboard and the keyboard state are the desktop's.
  set_tests_properties(edit_window_tests PROPERTIES RESOURCE_LOCK vel_desktop)
endif()

# Timed loops of the real window under Wine (tools/bench.sh --window runs them).
if(WIN32)
  add_executable(edit_window_bench ${CMAKE_CURRENT_LIST_DIR}/bench/EditWindowBench.cpp)
  target_compile_options(edit_window_bench PRIVATE ${VEL_WARNINGS})
  target_include_directories(edit_window_bench PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(edit_window_bench PRIVATE vel_text_windows)
  set_target_properties(edit_window_bench PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
