# Text core: display lines, fonts, character measuring and line layout; the GDI font is window-side.
set(vel_text_dir ${CMAKE_CURRENT_LIST_DIR})
vel_library(vel_text_core
  SOURCES ${vel_text_dir}/CBaseArea.h ${vel_text_dir}/CCharInfo.h ${vel_text_dir}/CCharMeasurer.h
          ${vel_text_dir}/CFixedCharMeasurer.h ${vel_text_dir}/CFixedCharMeasurer.cpp
          ${vel_text_dir}/CTextFont.h ${vel_text_dir}/CTextFont.cpp
          ${vel_text_dir}/CLayoutSettings.h ${vel_text_dir}/CLayoutSettings.cpp
          ${vel_text_dir}/CTextLine.h ${vel_text_dir}/CTextLine.cpp
          ${vel_text_dir}/CLineLayout.h ${vel_text_dir}/CLineLayout.cpp)
vel_test(text_layout_tests
  SOURCES ${vel_text_dir}/tests/CLineLayoutTest.cpp ${vel_text_dir}/tests/CTextFontTest.cpp
  LIBS vel_text_core)

if(WIN32)
  vel_library(vel_text_gdi
    SOURCES ${vel_text_dir}/CGdiTextFont.h ${vel_text_dir}/CGdiTextFont.cpp
            ${vel_text_dir}/CTextLinePainter.h ${vel_text_dir}/CTextLinePainter.cpp
    LIBS vel_text_core gdi32 user32)
  vel_test(text_gdi_tests
    SOURCES ${vel_text_dir}/tests/CGdiTextFontTest.cpp
    LIBS vel_text_gdi vel_doc_chapters)
endif()
