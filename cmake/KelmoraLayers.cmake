# The program's layers and how their headers are reached.
#
# Each folder under src/ is one layer with its own library; a layer links
# only the layers below it:
#   base  <-  formats, ftp  <-  documents  <-  editing  <-  app
#   base  <-  about;  base, ftp  <-  version;  about, version  <-  app
# A library does not publish its folder. It publishes an include root that
# holds one link named after its layer, so its headers are included as
# "documents/RichEdit.h" and only by code that links the layer: a wrong-way
# include ("app/Main.h" from src/documents) does not compile.
function(kelmora_layer target layer)
  set(root "${CMAKE_BINARY_DIR}/layers/${layer}")
  file(MAKE_DIRECTORY "${root}")
  file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${layer}" SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "$<BUILD_INTERFACE:${root}>")
  else()
    target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${root}>")
  endif()
endfunction()
