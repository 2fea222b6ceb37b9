# Window side of the text engine: the text edit window with its input method, clipboard and
# context menu.
if(WIN32)
  vel_library(vel_text_windows SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CEditSettings.h
    ${CMAKE_CURRENT_LIST_DIR}/CImeContext.h ${CMAKE_CURRENT_LIST_DIR}/CImeContext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CClipboardText.h ${CMAKE_CURRENT_LIST_DIR}/CClipboardText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEditText.h ${CMAKE_CURRENT_LIST_DIR}/CEditText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEditExp.h ${CMAKE_CURRENT_LIST_DIR}/CEditExp.cpp
    LIBS vel_doc_gdi vel_doclist_memo vel_calc vel_framework imm32)
endif()
