# Window side of the document list: painting its lines over the tiled background.
if(WIN32)
  vel_library(vel_doc_gdi SOURCES CDocListPainter.h CDocListPainter.cpp CTiledBackground.h CTiledBackground.cpp
              LIBS vel_doclist vel_text_gdi gdi32 user32)
endif()
