# lv_module(NAME DIR dir [EXCLUDE files...] [DEPS targets...])
# A static library made of every .cpp in DIR; an interface library while DIR
# has no sources yet. Public include root is src/, so code includes
# "platform/gfx/DeviceContext.h", "localdata/TaggedFile.h" and so on.
set(LV_WARNINGS -Wall -Wextra)
if(LV_WERROR)
  list(APPEND LV_WARNINGS -Werror)
endif()

function(lv_module name)
  cmake_parse_arguments(M "" "DIR" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${M_DIR}/*.cpp)
  foreach(excluded ${M_EXCLUDE})
    list(REMOVE_ITEM sources ${M_DIR}/${excluded})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${LV_WARNINGS})
    target_link_libraries(${name} PUBLIC ${M_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${M_DEPS})
  endif()
endfunction()

# lv_test(NAME DIR dir [DEPS targets...])
# A GoogleTest executable of every .cpp in DIR; each test case becomes a
# CTest test, run headless (SDL's offscreen driver) with a timeout. Suites
# named *Child are entry points that tests start in a child process (a copy
# of the binary placed as lv.exe), not tests of their own.
function(lv_test name)
  cmake_parse_arguments(T "" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${T_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${LV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    TEST_FILTER "-*Child.*"
    PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy" TIMEOUT 120)
endfunction()
