# Shared compile settings and the helpers that turn each source folder into
# one static library and each test folder into one test program.

# Floating point must behave the same on every build: no contraction into
# fused multiply-adds, no fast-math, SSE maths only.
set(KV_COMMON_FLAGS -ffp-contract=off -fno-fast-math)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
  list(APPEND KV_COMMON_FLAGS -msse2 -mfpmath=sse)
endif()
set(KV_WARNING_FLAGS -Wall -Wextra -Werror)

if(KORVALITH_SANITIZE)
  set(KV_SANITIZE_FLAGS -fsanitize=address,undefined,float-cast-overflow
      -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${KV_SANITIZE_FLAGS})
  add_link_options(${KV_SANITIZE_FLAGS})
endif()
# ThreadSanitizer cannot share a build with AddressSanitizer.
if(KORVALITH_TSAN)
  if(KORVALITH_SANITIZE OR KORVALITH_FUZZ)
    message(FATAL_ERROR "KORVALITH_TSAN builds alone, without KORVALITH_SANITIZE or KORVALITH_FUZZ")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
# Any sanitizer finding stops a fuzz target and keeps its input.
if(KORVALITH_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
add_compile_options(${KV_COMMON_FLAGS})

# kv_library(<target> <folder> [DEPS libs...])
# Every .cpp file in <folder> and its sub-folders belongs to it.
# The static libraries made are listed in the global property KV_LIBRARIES.
function(kv_library target folder)
  cmake_parse_arguments(KV "" "" "DEPS;PUBLIC_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.c")
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${KV_DEPS} ${KV_PUBLIC_LIBS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  set_property(GLOBAL APPEND PROPERTY KV_LIBRARIES ${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${target} PRIVATE ${KV_WARNING_FLAGS})
  target_link_libraries(${target} PUBLIC ${KV_DEPS} ${KV_PUBLIC_LIBS})
endfunction()

# kv_test_folder(<name> <folder> DEPS libs... [XSERVER_TESTS patterns...] [LABELS labels...])
# One GoogleTest program per test folder; CTest learns its cases when run.
# The cases matching XSERVER_TESTS (GoogleTest filter patterns) start an X
# server: they share the resource lock "xserver", which every test that
# starts one takes, so that no two run at once. LABELS go on every case.
function(kv_test_folder name folder)
  cmake_parse_arguments(KV "" "" "DEPS;XSERVER_TESTS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${folder}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${KV_WARNING_FLAGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${KV_DEPS} GTest::gtest GTest::gmock kv_testsupport)
  if(KV_XSERVER_TESTS)
    list(JOIN KV_XSERVER_TESTS ":" xserver_filter)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_FILTER "-${xserver_filter}" TEST_LIST ${name}_TESTS)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_FILTER "${xserver_filter}"
                         TEST_LIST ${name}_XSERVER_TESTS)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_LIST ${name}_TESTS)
  endif()
  # The discovered cases get their properties from a file CTest reads after
  # discovering them: gtest_discover_tests cuts a list value such as the
  # environment at its first ";".
  set(environment "KORVALITH_HEADLESS=1;LIBGL_ALWAYS_SOFTWARE=1;GALLIUM_DRIVER=llvmpipe;ALSOFT_DRIVERS=null")
  set(properties "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  set(labels "")
  if(KV_LABELS)
    set(labels " LABELS \"${KV_LABELS}\"")
  endif()
  file(WRITE ${properties}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${environment}\"${labels})\n"
    "endif()\n"
    "if(${name}_XSERVER_TESTS)\n"
    "  set_tests_properties(\${${name}_XSERVER_TESTS} PROPERTIES ENVIRONMENT \"${environment}\" RESOURCE_LOCK xserver${labels})\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties})
endfunction()
