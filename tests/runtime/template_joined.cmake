# The template in the build folder is the runtime's parts joined whole, in
# the order of their names: run as
#   cmake -DPARTS=<data/runtime> -DTEMPLATE=<build>/export.js -P template_joined.cmake
# A part the join's pattern would skip or put out of order (no .js, a number
# of one digit, a folder), a part whose last line has no line end (it would
# run into the next part's first line) or a template left from other parts
# fails.
foreach(v PARTS TEMPLATE)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "${v} is not given")
  endif()
endforeach()

file(GLOB_RECURSE names RELATIVE ${PARTS} ${PARTS}/*)
list(SORT names)
if(NOT names)
  message(FATAL_ERROR "no runtime part in ${PARTS}")
endif()
set(joined "")
foreach(n ${names})
  if(NOT n MATCHES "^[0-9][0-9]_[a-z0-9_]+\\.js$")
    message(FATAL_ERROR "${PARTS}/${n}: a runtime part is named NN_name.js (two digits), or the join leaves it out")
  endif()
  file(READ ${PARTS}/${n} bytes HEX)
  if(NOT bytes MATCHES "0a$")
    message(FATAL_ERROR "${PARTS}/${n}: the last line has no line end")
  endif()
  string(APPEND joined "${bytes}")
endforeach()

if(NOT EXISTS ${TEMPLATE})
  message(FATAL_ERROR "${TEMPLATE} is not built")
endif()
file(READ ${TEMPLATE} built HEX)
if(NOT built STREQUAL joined)
  string(LENGTH "${built}" b)
  string(LENGTH "${joined}" j)
  math(EXPR b "${b} / 2")
  math(EXPR j "${j} / 2")
  message(FATAL_ERROR "${TEMPLATE} (${b} bytes) is not the parts of ${PARTS} joined in order (${j} bytes)")
endif()
list(LENGTH names count)
message(STATUS "${TEMPLATE}: ${count} parts joined whole")
