# Options and looks: the background picture lists and the picture drop-down (pictures layer), the
# option dialogs (application), the stock background pictures beside the program, and their tests.
if(WIN32)
  set(opt_dir ${CMAKE_CURRENT_LIST_DIR})
  set(opt_pic_dir ${CMAKE_SOURCE_DIR}/picture)

  vel_library(vel_picture_backgrounds SOURCES
    ${opt_pic_dir}/CBackPicData.h
    ${opt_pic_dir}/CBackPictureList.h ${opt_pic_dir}/CBackPictureList.cpp
    ${opt_pic_dir}/CPicSelCombo.h ${opt_pic_dir}/CPicSelCombo.cpp
    LIBS vel_picture_windows vel_app_core gdi32 user32)

  target_sources(vel_app_windows PRIVATE
    ${opt_dir}/COptionDlg.h ${opt_dir}/COptionDlg.cpp
    ${opt_dir}/CViewOptionDlg.h ${opt_dir}/CViewOptionDlg.cpp
    ${opt_dir}/CMainFrameBackground.cpp
    ${CMAKE_SOURCE_DIR}/doc/CVelTextViewOptions.cpp)
  target_link_libraries(vel_app_windows PUBLIC vel_picture_backgrounds comdlg32 comctl32)

  # The stock background pictures stand beside the program, where the lists look for them.
  set(opt_stock ${opt_dir}/res/backgrounds)
  foreach(kind basecntl baseview graypic)
    add_custom_command(TARGET VelText POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${opt_stock}/${kind} $<TARGET_FILE_DIR:VelText>/${kind})
  endforeach()
endif()

if(WIN32 AND VEL_TESTS)
  vel_test(vel_options_tests
    SOURCES ${opt_dir}/tests/OptionsTestSupport.h
            ${opt_pic_dir}/tests/BackPictureListTest.cpp
            ${opt_pic_dir}/tests/PicSelComboTest.cpp
            ${opt_dir}/tests/OptionDlgTest.cpp
            ${opt_dir}/tests/ViewOptionDlgTest.cpp
            ${opt_dir}/tests/OptionsInProgramTest.cpp
            ${app_rc}
    LIBS vel_app_windows
    LABELS app)
  # The program's settings key and marked windows on the desktop.
  set_tests_properties(vel_options_tests PROPERTIES RESOURCE_LOCK "vel_registry;vel_desktop")
  # The stock pictures come with the program's build.
  add_dependencies(vel_options_tests VelText)
  add_custom_command(TARGET vel_options_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rastkit> $<TARGET_FILE_DIR:vel_options_tests>)

  # End to end: the dialogs in the real program, and its looks against reference screenshots.
  add_test(NAME e2e_options
    COMMAND bash ${opt_dir}/tests/e2e/e2e_options.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
            $<TARGET_FILE:VelText> $<TARGET_FILE:VelInstanceProbe> ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e_options PROPERTIES LABELS e2e TIMEOUT 240 FIXTURES_REQUIRED wine
    RESOURCE_LOCK "vel_desktop;vel_registry")
endif()
