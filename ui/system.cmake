# zm_system: files, folders, programs, time. No Qt: POSIX and std::filesystem.
add_library(zm_system STATIC
  ${CMAKE_CURRENT_LIST_DIR}/system_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_programs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_locks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_time.cpp)
target_include_directories(zm_system PUBLIC ${CMAKE_SOURCE_DIR})
