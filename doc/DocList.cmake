# The document list: the model of one open memo.
vel_library(vel_doclist SOURCES CDocList.h CDocList.cpp CDocListCaret.cpp CDocListEdit.cpp
            CDocListSelect.cpp CDocListLayout.cpp CDocListSearch.cpp CDocListUndo.cpp CDocPictures.h CCaretSink.h CPageInfo.h
            LIBS vel_doc_chapters vel_text_select)
vel_library(vel_doclist_memo SOURCES CDocListMemo.h CDocListMemo.cpp LIBS vel_doclist vel_memo_format)
vel_test(doclist_tests SOURCES tests/CDocListTest.cpp tests/CDocListMemoTest.cpp LIBS vel_doclist_memo)
vel_benchmark(doclist_bench SOURCES bench/CDocListBench.cpp LIBS vel_doclist)
vel_benchmark(doclist_scale_bench SOURCES bench/CDocListScaleBench.cpp LIBS vel_doclist_memo)
