# Word classes and selection records.
vel_library(vel_text_select SOURCES CWordSel.h CWordSel.cpp CSelectList.h CSelectList.cpp LIBS vel_doc_core)
vel_test(text_select_tests SOURCES tests/CWordSelTest.cpp tests/CSelectListTest.cpp LIBS vel_text_select)
# Requests and replies between the edit window and its worker.
vel_library(vel_text_queue SOURCES CMsg.h CMsg.cpp CMsgQueue.h LIBS vel_doc_core)
vel_test(text_queue_tests SOURCES tests/CMsgQueueTest.cpp LIBS vel_text_queue)
