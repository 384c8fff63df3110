# Each layer's library sees its own headers and those of the layers it links,
# and nothing else, so that an include of a layer above it does not compile.
# Sources still include "layer/file.h": a layer's include directory lives in
# the build tree and holds one symbolic link, named as the layer is included,
# to the layer's folder. The links come from the layer table (src/layers.txt),
# which the include check reads too.
include(${CMAKE_CURRENT_LIST_DIR}/layer_table.cmake)
set(TESMORA_LAYER_TABLE ${PROJECT_SOURCE_DIR}/src/layers.txt)
tesmora_read_layer_table(${TESMORA_LAYER_TABLE})
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${TESMORA_LAYER_TABLE})

# The directory to include for the row NAME: it holds the row's folder under
# the name it is included by ("shell" for src/shell, "ui/common" for
# src/ui/common, "fixtures" for tools/fixtures).
function(tesmora_layer_include_dir name out)
  set(folder ${TESMORA_LAYER_FOLDER_${name}})
  if(NOT folder)
    message(FATAL_ERROR "${name} is not a row of ${TESMORA_LAYER_TABLE}")
  endif()
  set(included "")
  if(folder MATCHES "^[^/]+/(.+)$")
    set(included ${CMAKE_MATCH_1})
  endif()
  set(dir ${PROJECT_BINARY_DIR}/layers/${name})
  if(NOT included STREQUAL "")
    get_filename_component(parent ${dir}/${included} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${dir}/${included} SYMBOLIC)
  endif()
  set(${out} ${dir} PARENT_SCOPE)
endfunction()

# Gives the library NAME its include directory and links it to the rows its
# row names, as the table says.
function(tesmora_layer name)
  tesmora_layer_include_dir(${name} dir)
  target_include_directories(${name} PUBLIC ${dir})
  target_link_libraries(${name} PUBLIC ${TESMORA_LAYER_USES_${name}})
endfunction()

# Gives TARGET, which cannot link the libraries of its row's layers (the
# message table's encoder, which builds before them), their include directories.
function(tesmora_include_layers target row)
  foreach(below IN LISTS TESMORA_LAYER_BELOW_${row})
    tesmora_layer_include_dir(${below} dir)
    target_include_directories(${target} PRIVATE ${dir})
  endforeach()
endfunction()
