# Window side of the application: start-up, settings, main frame, document and view, resources,
# and the VelText program itself.
include(${CMAKE_SOURCE_DIR}/doc/Printing.cmake)
if(WIN32)
  enable_language(RC)
  set(app_dir ${CMAKE_CURRENT_LIST_DIR})

  vel_library(vel_app_windows SOURCES
    ${app_dir}/CAboutDlg.cpp
    ${app_dir}/CAppSettings.cpp
    ${app_dir}/CFileNameDialogs.cpp
    ${app_dir}/CInstanceMarker.cpp
    ${app_dir}/CMainFrame.cpp
    ${app_dir}/CMainFrameMemos.cpp
    ${app_dir}/CVelTextApp.cpp
    ${CMAKE_SOURCE_DIR}/doc/CVelTextDoc.cpp
    ${CMAKE_SOURCE_DIR}/doc/CVelTextDocSave.cpp
    ${CMAKE_SOURCE_DIR}/doc/CSaveTypeDlg.cpp
    ${CMAKE_SOURCE_DIR}/doc/CVelTextView.cpp
    ${CMAKE_SOURCE_DIR}/doc/CVelTextViewPrint.cpp
    LIBS vel_framework vel_app_core vel_vmem vel_text_windows vel_picture_windows vel_memo_print
         vel_framework_print version)

  set(app_generated ${VEL_GENERATED_APP})
  target_include_directories(vel_app_windows PRIVATE ${app_generated})

  # Resource script in UTF-8; the resources include paths from the source root.
  set(app_rc ${app_dir}/VelText.rc)
  set_source_files_properties(${app_rc} PROPERTIES
    OBJECT_DEPENDS "${app_dir}/Resource.h;${app_dir}/res/ViewBackground.bmp;${app_dir}/res/GrayBackground.bmp;${app_dir}/res/VelText.ico;${app_generated}/VersionInfo.h;${app_generated}/VelText.manifest")
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${app_dir} -c 65001")

  add_executable(VelText WIN32 ${app_dir}/VelTextMain.cpp ${app_rc})
  target_compile_options(VelText PRIVATE ${VEL_WARNINGS})
  target_include_directories(VelText PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(VelText PRIVATE vel_app_windows)
  target_link_options(VelText PRIVATE -mwindows -municode -static)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # A memo of large pictures needs more than 2 GB of address space.
    target_link_options(VelText PRIVATE -Wl,--large-address-aware)
  endif()
  # rastkit.dll stands beside the program, where the loader looks first.
  add_custom_command(TARGET VelText POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:VelText>)
  set_target_properties(VelText PROPERTIES OUTPUT_NAME VelText)

  if(VEL_TESTS OR VEL_DELIVERABLE_CHECKS)
    foreach(deliverable VelText rastkit)
      add_test(NAME ${deliverable}_deliverable
               COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DFILE=$<TARGET_FILE:${deliverable}>
                       -DARCH=${CMAKE_SYSTEM_PROCESSOR} -P ${CMAKE_SOURCE_DIR}/cmake/CheckDeliverable.cmake)
      set_tests_properties(${deliverable}_deliverable PROPERTIES LABELS deliverable)
    endforeach()
  endif()
endif()

if(WIN32 AND VEL_TESTS)
  # In-process tests of the window side; the program's resources are linked in.
  vel_test(vel_app_window_tests
    SOURCES ${app_dir}/tests/AppTestSupport.h ${app_dir}/tests/AppSettingsTest.cpp
            ${app_dir}/tests/MainFrameTest.cpp ${app_dir}/tests/FileNameDialogTest.cpp
            ${app_dir}/tests/ViewTest.cpp ${app_dir}/tests/DocumentTest.cpp ${app_rc}
    LIBS vel_app_windows
    LABELS app)
  target_include_directories(vel_app_window_tests PRIVATE ${VEL_GENERATED_APP})
  # They use the real registry key and put marked windows on the desktop.
  set_tests_properties(vel_app_window_tests PROPERTIES RESOURCE_LOCK "vel_registry;vel_desktop")

  add_executable(VelInstanceProbe ${app_dir}/tests/VelInstanceProbe.cpp)
  target_include_directories(VelInstanceProbe PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(VelInstanceProbe PRIVATE ${VEL_WARNINGS})
  target_link_libraries(VelInstanceProbe PRIVATE vel_app_windows)
  target_link_options(VelInstanceProbe PRIVATE -municode)

  # End to end: the real VelText.exe under Xvfb, driven with xdotool.
  foreach(e2e start instances opacity typing memo_files pictures crash)
    add_test(NAME e2e_${e2e}
      COMMAND bash ${app_dir}/tests/e2e/e2e_${e2e}.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
              $<TARGET_FILE:VelText> $<TARGET_FILE:VelInstanceProbe> ${CMAKE_BINARY_DIR})
    set_tests_properties(e2e_${e2e} PROPERTIES LABELS e2e TIMEOUT 180 FIXTURES_REQUIRED wine
      RESOURCE_LOCK "vel_desktop;vel_registry")
  endforeach()
  # The release zip unpacked and run in a fresh prefix; making that prefix takes most of its time.
  add_test(NAME e2e_release
    COMMAND bash ${app_dir}/tests/e2e/e2e_release.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
            $<TARGET_FILE:VelText> $<TARGET_FILE:VelInstanceProbe> ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e_release PROPERTIES LABELS e2e TIMEOUT 300 FIXTURES_REQUIRED wine
    RESOURCE_LOCK "vel_desktop;vel_registry")
  # A day of use from start to restart in one run, a screenshot of every step and a contact sheet
  # of them in tour/ of the build root (build/tour), where a person looks for them.
  get_filename_component(build_root ${CMAKE_BINARY_DIR} DIRECTORY)
  add_test(NAME e2e_tour
    COMMAND bash ${app_dir}/tests/e2e/e2e_tour.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
            $<TARGET_FILE:VelText> $<TARGET_FILE:VelInstanceProbe> ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e_tour PROPERTIES LABELS e2e TIMEOUT 300 FIXTURES_REQUIRED wine
    RESOURCE_LOCK "vel_desktop;vel_registry" ENVIRONMENT "VEL_TOUR_DIR=${build_root}/tour"
    # Typed characters reach Wine through remapped keys, which a busy machine can drop: the tour
    # runs with nothing else beside it.
    RUN_SERIAL TRUE)
  add_test(NAME e2e_settings_persist
    COMMAND bash ${app_dir}/tests/e2e/e2e_settings_persist.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
            $<TARGET_FILE:vel_app_window_tests>)
  set_tests_properties(e2e_settings_persist PROPERTIES LABELS e2e TIMEOUT 120 FIXTURES_REQUIRED wine
    RESOURCE_LOCK vel_registry)
  # The e2e tests need the program and the probe built with the tests.
  add_custom_target(vel_app_e2e_deps ALL DEPENDS VelText VelInstanceProbe)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Options.cmake)
