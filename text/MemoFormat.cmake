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
  LIBS vel_platform)
vel_test(memo_format_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tests/CTextCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoLineTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoWriterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/CMemoRoundTripTest.cpp
  LIBS vel_memo_format)
vel_fuzz(memo_reader_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/MemoReaderFuzz.cpp LIBS vel_memo_format SECONDS 30)
vel_benchmark(memo_file_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench/MemoFileBench.cpp LIBS vel_memo_format)
