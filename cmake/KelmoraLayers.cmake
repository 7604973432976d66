# The program's layers and how their headers are reached.
#
# Each folder under src/ is one layer with its own library; a layer links
# only the layers below it:
#   base  <-  model  <-  formats  <-  documents  <-  editing  <-  app
#   base  <-  ftp;  base  <-  about;  base, ftp  <-  version;  about, version  <-  app
# (base itself has two halves: base, Qt Core, below base/ui, Qt Widgets.)
#
# A library publishes exactly the headers it lists among its sources, as
# "<layer>/<path below its folder>", in an include root of its own: a folder
# of links in the build tree. So "documents/RichEdit.h" is found only by code
# that links the documents layer, and a wrong-way include (say
# "formats/DocumentIO.h" from the model, or "base/ui/Platform.h" from the Qt
# Core half of base) does not compile. tests/layers checks that it does not.
function(kelmora_layer target layer)
  set(root "${CMAKE_BINARY_DIR}/layers/${target}")
  file(REMOVE_RECURSE "${root}")
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.h$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE OUTPUT_VARIABLE file)
    cmake_path(RELATIVE_PATH file BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" OUTPUT_VARIABLE relative)
    set(link "${root}/${layer}/${relative}")
    cmake_path(GET link PARENT_PATH folder)
    file(MAKE_DIRECTORY "${folder}")
    file(CREATE_LINK "${file}" "${link}" SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "$<BUILD_INTERFACE:${root}>")
  else()
    target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${root}>")
  endif()
endfunction()
