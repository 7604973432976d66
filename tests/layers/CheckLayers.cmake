# Runs the layer check's probes (see CMakeLists.txt): each case's own-header
# probe must build, its wrong-header probe must fail on exactly that include.
# cmake -DBUILD=<build tree> -DCASES=<cases.txt> -P CheckLayers.cmake
file(STRINGS "${CASES}" cases)
set(failures "")
foreach(line IN LISTS cases)
  separate_arguments(fields UNIX_COMMAND "${line}")
  list(GET fields 0 name)
  list(GET fields 1 wrong)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD}" --target layer_probe_${name}_own
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    string(APPEND failures "${name}: its own header does not compile:\n${out}\n")
    continue()
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD}" --target layer_probe_${name}_wrong
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  string(REPLACE "." "\\." pattern "${wrong}")
  if(status EQUAL 0)
    string(APPEND failures "${name}: \"${wrong}\" compiles from below\n")
  elseif(NOT out MATCHES "(${pattern}: No such file or directory|'${pattern}' file not found)")
    string(APPEND failures "${name}: the probe for \"${wrong}\" failed for another reason:\n${out}\n")
  else()
    message(STATUS "${name}: \"${wrong}\" is out of reach")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
