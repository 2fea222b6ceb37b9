# Memo store on disk (naming, checks) and the memo list: portable, no windows.
vel_library(vel_app_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CFileName.h ${CMAKE_CURRENT_LIST_DIR}/CFileName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CFileNameMessages.h
  ${CMAKE_CURRENT_LIST_DIR}/CDirData.h ${CMAKE_CURRENT_LIST_DIR}/CDirData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSortDirName.h ${CMAKE_CURRENT_LIST_DIR}/CSortDirName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CJournalRecovery.h ${CMAKE_CURRENT_LIST_DIR}/CJournalRecovery.cpp
  LIBS vel_platform vel_memo_format)
vel_test(app_core_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tests/CFileNameTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CSortDirNameTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CJournalRecoveryTest.cpp
  LIBS vel_app_core)
vel_benchmark(sort_dir_name_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench/CSortDirNameBench.cpp LIBS vel_app_core)
