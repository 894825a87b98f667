# zm_image: the image store, drawing, image files, fonts and the pictures the
# program carries. Qt Gui only (glyphs and fonts), no Qt Widgets, so that the
# project model and its tests link it without a window.
add_library(zm_image STATIC
  ${CMAKE_CURRENT_LIST_DIR}/image_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_resize.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image/image_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image/png.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image/jpeg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image/bmp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_shapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_patterns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_tools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_cards.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_picture.cpp)
target_include_directories(zm_image PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zm_image PUBLIC zm_system Qt6::Gui PRIVATE PNG::PNG JPEG::JPEG ZLIB::ZLIB)
# The per-pixel loops are written to vectorise; -O2 of GCC leaves them scalar.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/draw_image.cpp PROPERTIES COMPILE_OPTIONS "-O3")
