# One static, position-independent library per layer of src/, so that a layer's
# tests link only what the layer depends on and the shared library can take
# them all whole.
set(DWFPLOT_LAYERS "" CACHE INTERNAL "")

function(dwfplot_layer name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  set(target dwfplot_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARGN})
    set(DWFPLOT_LAYERS ${DWFPLOT_LAYERS} ${target} CACHE INTERNAL "")
  else()
    # A layer not written yet still answers to its name, so dependants configure.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARGN})
  endif()
endfunction()

# One test program per layer: tests/<dir> linked against the layer.
function(dwfplot_layer_tests name dir)
  dwfplot_test_program(${name} ${dir} dwfplot_${name} dwfplot_test_support ${ARGN})
endfunction()

# One test program, dwfplot_NAME_tests, of every .cpp below tests/DIR, linked
# with the libraries that follow and run by ctest as NAME.
function(dwfplot_test_program name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target dwfplot_${name}_tests)
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARGN})
  add_test(NAME ${name} COMMAND ${target})
endfunction()
