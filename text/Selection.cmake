# Word classes and selection records.
vel_library(vel_text_select SOURCES CWordSel.h CWordSel.cpp CSelectList.h CSelectList.cpp LIBS vel_doc_core)
vel_test(text_select_tests SOURCES tests/CWordSelTest.cpp tests/CSelectListTest.cpp LIBS vel_text_select)
