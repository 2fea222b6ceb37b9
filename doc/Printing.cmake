# Printing and print preview. Portable: the page arithmetic and what each page holds. Window side:
# drawing a page on a device, the pictures' print layers, the framework's print job, printer
# choice and preview window, and the memo's print steps that the view runs.
set(print_doc ${CMAKE_SOURCE_DIR}/doc)
vel_library(vel_doc_print SOURCES ${print_doc}/CPrintLayout.h ${print_doc}/CPrintLayout.cpp
            ${print_doc}/CPagePlan.h ${print_doc}/CPagePlan.cpp
            LIBS vel_doclist)
vel_test(doc_print_tests SOURCES ${print_doc}/tests/CPrintLayoutTest.cpp LIBS vel_doc_print)
vel_benchmark(doc_print_bench SOURCES ${print_doc}/bench/CPrintBench.cpp ${print_doc}/tests/CTestDocList.h
              LIBS vel_doc_print)

if(WIN32)
  vel_library(vel_doc_print_gdi SOURCES ${print_doc}/CDocListPrinter.h ${print_doc}/CDocListPrinter.cpp
              LIBS vel_doc_print vel_doc_gdi vel_text_gdi gdi32)
  vel_library(vel_picture_print
              SOURCES ${CMAKE_SOURCE_DIR}/picture/CPicPrintLayers.h ${CMAKE_SOURCE_DIR}/picture/CPicPrintLayers.cpp
              LIBS vel_picture_core vel_doc_print_gdi gdi32)
  vel_library(vel_memo_print SOURCES ${print_doc}/CMemoPrinter.h ${print_doc}/CMemoPrinter.cpp
              LIBS vel_picture_print)
  set(print_fw ${CMAKE_SOURCE_DIR}/framework)
  vel_library(vel_framework_print
              SOURCES ${print_fw}/PrintIds.h ${print_fw}/CPrintInfo.h ${print_fw}/CPrintInfo.cpp
                      ${print_fw}/CPrinterChoice.h ${print_fw}/CPrinterChoice.cpp
                      ${print_fw}/CPrintJob.h ${print_fw}/CPrintJob.cpp
                      ${print_fw}/CPrintPreview.h ${print_fw}/CPrintPreview.cpp
              LIBS vel_framework comdlg32 winspool gdi32 user32)
endif()

if(WIN32 AND VEL_TESTS)
  vel_test(framework_print_tests SOURCES ${CMAKE_SOURCE_DIR}/framework/tests/PrintJobTest.cpp
           LIBS vel_framework_print LABELS framework)
endif()

if(WIN32 AND VEL_TESTS)
  vel_test(doc_print_window_tests
    SOURCES ${print_doc}/tests/PrintWindowTest.cpp ${CMAKE_SOURCE_DIR}/app/VelText.rc
    LIBS vel_app_windows LABELS app)
  set_tests_properties(doc_print_window_tests PROPERTIES RESOURCE_LOCK "vel_registry;vel_desktop")
  add_custom_command(TARGET doc_print_window_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:doc_print_window_tests>)
endif()

if(WIN32 AND VEL_TESTS)
  # The real program printing onto a PDF printer of a CUPS scheduler that the run starts (and
  # stops again) when none runs; its pages are checked against the same pages drawn into memory.
  add_executable(VelPrintProbe ${CMAKE_SOURCE_DIR}/app/tests/VelPrintProbe.cpp ${CMAKE_SOURCE_DIR}/app/VelText.rc)
  target_include_directories(VelPrintProbe PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(VelPrintProbe PRIVATE ${VEL_WARNINGS})
  target_link_libraries(VelPrintProbe PRIVATE vel_app_windows)
  target_link_options(VelPrintProbe PRIVATE -municode)
  add_custom_command(TARGET VelPrintProbe POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:VelPrintProbe>)
  add_custom_target(vel_print_e2e_deps ALL DEPENDS VelText VelPrintProbe)

  set(print_state ${CMAKE_BINARY_DIR}/test-printer)
  add_test(NAME test_printer_start COMMAND bash ${CMAKE_SOURCE_DIR}/tools/test-printer.sh start ${print_state})
  add_test(NAME test_printer_stop COMMAND bash ${CMAKE_SOURCE_DIR}/tools/test-printer.sh stop ${print_state})
  set_tests_properties(test_printer_start PROPERTIES FIXTURES_SETUP printer LABELS e2e)
  set_tests_properties(test_printer_stop PROPERTIES FIXTURES_CLEANUP printer LABELS e2e)
  add_test(NAME e2e_print
    COMMAND bash ${CMAKE_SOURCE_DIR}/app/tests/e2e/e2e_print.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
            $<TARGET_FILE:VelText> $<TARGET_FILE:VelPrintProbe> ${CMAKE_BINARY_DIR} ${print_state})
  set_tests_properties(e2e_print PROPERTIES LABELS e2e TIMEOUT 300 FIXTURES_REQUIRED "wine;printer"
    RESOURCE_LOCK "vel_desktop;vel_registry")
endif()

# The time to the first preview page of a large memo under Wine (run it with tools/wine-run.sh).
if(WIN32)
  add_executable(print_preview_timing ${CMAKE_SOURCE_DIR}/doc/bench/PrintPreviewTiming.cpp ${CMAKE_SOURCE_DIR}/app/VelText.rc)
  target_include_directories(print_preview_timing PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(print_preview_timing PRIVATE ${VEL_WARNINGS})
  target_link_libraries(print_preview_timing PRIVATE vel_app_windows)
  target_link_options(print_preview_timing PRIVATE -municode)
  set_target_properties(print_preview_timing PROPERTIES EXCLUDE_FROM_ALL ON)
  add_custom_command(TARGET print_preview_timing POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:print_preview_timing>)
endif()
