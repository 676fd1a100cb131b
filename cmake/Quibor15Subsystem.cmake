# q15_subsystem(NAME [DEPS dep...] [LIBS lib...])
# Builds every .cpp below the calling folder into the object library
# q15_<NAME>; the shared library collects all of them. A gen/ folder directly
# below holds build-time generators, which are programs of their own and not
# part of the subsystem.
function(q15_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(gen_prefix "${CMAKE_CURRENT_SOURCE_DIR}/gen/")
  string(LENGTH "${gen_prefix}" gen_prefix_length)
  set(kept_srcs "")
  foreach(src IN LISTS srcs)
    string(SUBSTRING "${src}" 0 ${gen_prefix_length} src_prefix)
    if(NOT src_prefix STREQUAL gen_prefix)
      list(APPEND kept_srcs "${src}")
    endif()
  endforeach()
  set(srcs ${kept_srcs})
  add_library(q15_${name} OBJECT ${srcs})
  target_include_directories(q15_${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(q15_${name} PUBLIC q15_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(q15_${name} PUBLIC ${ARG_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY Q15_SUBSYSTEMS q15_${name})
endfunction()

# q15_test(NAME LINKS q15_x ...): one GoogleTest binary per test folder.
function(q15_test name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(tests_${name} ${srcs})
  target_link_libraries(tests_${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(tests_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(tests_${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name})
endfunction()
