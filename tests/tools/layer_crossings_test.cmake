# Runs the include check on tests/tools/layer_crossings, a tree that breaks
# each rule of the layer table once, and expects it to fail naming every
# fault by its file and line.
#   cmake -DCHECK=<check_layer_includes.cmake> -P layer_crossings_test.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_CURRENT_LIST_DIR}/layer_crossings -P ${CHECK}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
message("${output}")
if(result EQUAL 0)
  message(FATAL_ERROR "the check passed a tree whose includes cross its layers")
endif()
set(expected
  "src/low/upward.cpp:2: low includes \"mid/mid.h\" of mid, which is not below it (low may use: no other layer)"
  "src/mid/numbered.cpp:4: mid includes \"high/high.h\" of high, which is not below it (mid may use: low)"
  "src/high/high.h:4: high includes \"low/low.h\" of low, but the layer table does not name low among what high uses"
  "src/low/qt.cpp:2: low may not include Qt: #include <QString>"
  "src/mid/escape.cpp:2: includes \"../high/high.h\" by a path out of its folder"
  "src/stray.cpp: lies in no folder of the layer table"
  "src/layers.txt: top is said to use low, but no file of top includes it"
  "7 fault(s) against the layer table")
foreach(line IN LISTS expected)
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not report: ${line}")
  endif()
endforeach()
