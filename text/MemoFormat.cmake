# Memo file format: codec, line and tag reading, the memo reader and writer.
vel_library(vel_memo_format SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CTextCodec.h ${CMAKE_CURRENT_LIST_DIR}/CTextCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CLineSplitter.h ${CMAKE_CURRENT_LIST_DIR}/CLineSplitter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTagScanner.h ${CMAKE_CURRENT_LIST_DIR}/CTagScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPictureTag.h ${CMAKE_CURRENT_LIST_DIR}/CPictureTag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMemoSink.h ${CMAKE_CURRENT_LIST_DIR}/CMemoPictureLoader.h
  ${CMAKE_CURRENT_LIST_DIR}/CMemoSource.h ${CMAKE_CURRENT_LIST_DIR}/CMemoPictureStore.h
  ${CMAKE_CURRENT_LIST_DIR}/CMemoReader.h ${CMAKE_CURRENT_LIST_DIR}/CMemoReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMemoWriter.h ${CMAKE_CURRENT_LIST_DIR}/CMemoWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMemoJournal.h ${CMAKE_CURRENT_LIST_DIR}/CMemoJournal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMemoSnapshot.h ${CMAKE_CURRENT_LIST_DIR}/CMemoSnapshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CJournalWriter.h ${CMAKE_CURRENT_LIST_DIR}/CJournalWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSafeFileWriter.h ${CMAKE_CURRENT_LIST_DIR}/CSafeFileWriter.cpp
  LIBS vel_platform)
if(NOT WIN32)
  # The journal writer's thread.
  find_package(Threads REQUIRED)
  target_link_libraries(vel_memo_format PUBLIC Threads::Threads)
endif()
vel_test(memo_format_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tests/CTextCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoLineTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoWriterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoRoundTripTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoJournalTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoSaveFaultTest.cpp
  LIBS vel_memo_format)
# Saves killed midway: fork and kill natively, CreateProcessW and TerminateProcess on Windows.
if(TARGET memo_format_tests)
  if(WIN32)
    target_sources(memo_format_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoSaveWin32Test.cpp)
    # The same tests on a system whose code page is UTF-8: Wine takes code page 65001 from a
    # locale without one of its own (Hindi), compiled into the build tree.
    find_program(VEL_LOCALEDEF localedef)
    if(VEL_LOCALEDEF AND EXISTS /usr/share/i18n/locales/hi_IN)
      set(locales ${CMAKE_BINARY_DIR}/locales)
      file(MAKE_DIRECTORY ${locales})
      add_test(NAME memo_format_utf8_locale COMMAND ${VEL_LOCALEDEF} -i hi_IN -f UTF-8 ${locales}/hi_IN.UTF-8)
      set_tests_properties(memo_format_utf8_locale PROPERTIES FIXTURES_SETUP utf8_locale)
      add_test(NAME memo_format_tests_utf8
               COMMAND ${CMAKE_COMMAND} -E env LOCPATH=${locales} VEL_WINE_LOCALE=hi_IN.UTF-8
                       ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:memo_format_tests>
                       --gtest_filter=Utf8SystemCodePage.*:MemoSave*
                       --gtest_output=xml:test-results/memo_format_tests_utf8.xml
               WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      # A skip would mean the locale did not give code page 65001.
      set_tests_properties(memo_format_tests_utf8 PROPERTIES FIXTURES_REQUIRED "wine;utf8_locale" TIMEOUT 600
                           LABELS gtest FAIL_REGULAR_EXPRESSION "SKIPPED \\]")
    endif()
  else()
    target_sources(memo_format_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoSavePosixTest.cpp)
  endif()
endif()
vel_fuzz(memo_reader_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/MemoReaderFuzz.cpp LIBS vel_memo_format SECONDS 30)
vel_benchmark(memo_file_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench/MemoFileBench.cpp LIBS vel_memo_format)
