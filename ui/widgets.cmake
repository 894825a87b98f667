# zm_ui: windows, gadgets, menus, events, requesters, timers and the scripted
# test driver, over Qt Widgets.
add_library(zm_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_place.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadgets_basic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadgets_common.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadgets_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paint_now.cpp
  ${CMAKE_CURRENT_LIST_DIR}/requesters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver_steps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rich_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_copies.cpp)
target_include_directories(zm_ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zm_ui PUBLIC zm_image zm_system zm_rtf Qt6::Widgets PRIVATE Qt6::Network)
