# One static library per source folder. Sources are globbed so a new form or
# helper needs no build edit; DEPS names the folders this one may use.
function(quaveron_module name)
  cmake_parse_arguments(ARG "" "" "DEPS;QT" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(_target qv_${name})
  list(FILTER _sources INCLUDE REGEX "\\.cpp$|\\.h$")
  set(_scope PUBLIC)
  set(_cpp ${_sources})
  list(FILTER _cpp INCLUDE REGEX "\\.cpp$")
  if(_cpp)
    add_library(${_target} STATIC ${_sources})
  else()
    # A folder that holds no code yet still takes part in the dependency graph.
    add_library(${_target} INTERFACE ${_sources})
    set(_scope INTERFACE)
  endif()
  target_include_directories(${_target} ${_scope} ${PROJECT_SOURCE_DIR}/src)
  foreach(_dep IN LISTS ARG_DEPS)
    target_link_libraries(${_target} ${_scope} qv_${_dep})
  endforeach()
  foreach(_qt IN LISTS ARG_QT)
    target_link_libraries(${_target} ${_scope} Qt6::${_qt})
  endforeach()
endfunction()

# One GoogleTest executable per test folder, run offscreen. SERIAL: its tests
# run alone, for those that start several programs against real-time simulators.
function(quaveron_test_folder name)
  cmake_parse_arguments(ARG "SERIAL" "" "DEPS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.h)
  if(NOT _sources)
    return()
  endif()
  set(_target test_${name})
  add_executable(${_target} ${_sources})
  target_link_libraries(${_target} PRIVATE qv_test_support)
  foreach(_dep IN LISTS ARG_DEPS)
    target_link_libraries(${_target} PRIVATE ${_dep})
  endforeach()
  set(_serial FALSE)
  if(ARG_SERIAL)
    set(_serial TRUE)
  endif()
  gtest_discover_tests(${_target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUAVERON_SOURCE_DIR=${PROJECT_SOURCE_DIR};QUAVERON_BINARY_DIR=${PROJECT_BINARY_DIR}"
               TIMEOUT 300 RUN_SERIAL ${_serial})
endfunction()
