# crustex_layer(<target> <dirs> [deps...])
# A static library made of every .cpp in the listed folders. A layer with no
# sources yet becomes an interface library so that the build always works.
function(crustex_layer target dirs)
  set(sources "")
  foreach(dir IN LISTS dirs)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARGN})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARGN})
  endif()
endfunction()

# crustex_gtest(<name> <dir> <lib>): one GoogleTest executable from every .cpp
# in tests/<dir>, each test case registered with ctest.
function(crustex_gtest name dir lib)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${lib} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "CRUSTEX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
