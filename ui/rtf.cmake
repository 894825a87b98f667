# zm_rtf: the RTF reader. No Qt, so that it is tested and fuzzed alone.
add_library(zm_rtf STATIC ${CMAKE_CURRENT_LIST_DIR}/rtf_reader.cpp)
target_include_directories(zm_rtf PUBLIC ${CMAKE_SOURCE_DIR})
