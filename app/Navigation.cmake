# Moving between memos. Portable: one listing of a memo base and the steps through the memo list
# (into the memo-store library). Window side: the listing worker and the frame's side of it, the
# control bar, the memo selection settings and the small controls (into the window library).
set(nav_dir ${CMAKE_CURRENT_LIST_DIR})

target_sources(vel_app_core PRIVATE
  ${nav_dir}/CMemoBaseLister.h ${nav_dir}/CMemoBaseLister.cpp
  ${nav_dir}/CMemoSteps.h ${nav_dir}/CMemoSteps.cpp)

vel_test(app_navigation_core_tests SOURCES ${nav_dir}/tests/MemoBaseListerTest.cpp LIBS vel_app_core)
vel_benchmark(dir_list_bench SOURCES ${nav_dir}/bench/DirListBench.cpp LIBS vel_app_core)

if(WIN32)
  target_sources(vel_app_windows PRIVATE
    ${nav_dir}/CDirListHost.h
    ${nav_dir}/CDirListThread.h ${nav_dir}/CDirListThread.cpp
    ${nav_dir}/CDirListClient.h ${nav_dir}/CDirListClient.cpp
    ${nav_dir}/CSubclassedControl.h ${nav_dir}/CSubclassedControl.cpp
    ${nav_dir}/CColorStatic.h ${nav_dir}/CColorStatic.cpp
    ${nav_dir}/CDropEdit.h ${nav_dir}/CDropEdit.cpp
    ${nav_dir}/CIntEdit.h ${nav_dir}/CIntEdit.cpp
    ${nav_dir}/CMemoDirDlg.h ${nav_dir}/CMemoDirDlg.cpp
    ${nav_dir}/CCntlPanelHost.h ${nav_dir}/CCntlBackgroundPainter.h
    ${nav_dir}/CCntlPanel.h ${nav_dir}/CCntlPanel.cpp)
  target_link_libraries(vel_app_windows PUBLIC vel_text_queue comctl32 shell32)

  if(VEL_TESTS)
    # In-process under Wine: real windows driven with messages; the program's resources linked in.
    vel_test(vel_navigation_tests
      SOURCES ${nav_dir}/tests/NavigationTestSupport.h
              ${nav_dir}/tests/DirListThreadTest.cpp
              ${nav_dir}/tests/SmallControlsTest.cpp
              ${nav_dir}/tests/MemoDirDlgTest.cpp
              ${nav_dir}/tests/CntlPanelTest.cpp
              ${app_rc}
      LIBS vel_app_windows
      LABELS app)
    # The search test starts the program, which reads the real registry key and marks its window.
    set_tests_properties(vel_navigation_tests PROPERTIES RESOURCE_LOCK "vel_registry;vel_desktop")
  endif()

  # Harness for looking at the bar and the dialog, and the timed listing under Wine.
  add_executable(navigation_harness WIN32 ${nav_dir}/tests/NavigationHarness.cpp ${app_rc})
  add_executable(dir_list_wine_bench ${nav_dir}/bench/DirListWineBench.cpp)
  foreach(tool navigation_harness dir_list_wine_bench)
    target_compile_options(${tool} PRIVATE ${VEL_WARNINGS})
    target_include_directories(${tool} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${tool} PRIVATE vel_app_windows)
    target_link_options(${tool} PRIVATE -municode)
    set_target_properties(${tool} PROPERTIES EXCLUDE_FROM_ALL ON)
  endforeach()
endif()
