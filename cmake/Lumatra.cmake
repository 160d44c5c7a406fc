# Compiler settings and the helpers every CMakeLists.txt of the tree uses:
#   lm_library(name PORTABLE|WINDOWS SOURCES ... [DEPS ...])
#   lm_test(name PORTABLE|WINDOWS SOURCES ... [DEPS ...])
#   lm_benchmark(name SOURCES ... [DEPS ...])
#   lm_fuzz(name SOURCES ... [DEPS ...] CORPUS folder)
# A PORTABLE library or test is built in every configuration; a WINDOWS one
# only in the mingw builds.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_C_STANDARD 11)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

find_program(LM_CCACHE ccache)
if(LM_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${LM_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${LM_CCACHE})
endif()

if(WIN32)
  set(LM_WINDOWS ON)
else()
  set(LM_WINDOWS OFF)
endif()

add_library(lm_options INTERFACE)
target_include_directories(lm_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
# -Woverloaded-virtual: a member that differs from a base's virtual only in
# its const or its parameters hides it instead of overriding it, so calls
# through the base miss it (g++ and clang alike).
target_compile_options(lm_options INTERFACE -Wall -Wextra -Woverloaded-virtual)
# Warnings are errors in CI; developers' builds make them errors too, so that
# nothing reaches CI that it would refuse (LM_WERROR=OFF to look past them).
option(LM_WERROR "Treat warnings as errors" ON)
# The release benchmark build (-O3) is left out: GCC 12 gives false overlap
# warnings from inlined std::string code there.
if((DEFINED ENV{CI} OR LM_WERROR) AND NOT LM_BENCH)
  target_compile_options(lm_options INTERFACE -Werror)
endif()

if(LM_WINDOWS)
  # UNICODE everywhere: the program calls the W functions only.
  target_compile_definitions(lm_options INTERFACE UNICODE _UNICODE
                                                  NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # The .exe runs with no DLL beside it.
  target_link_options(lm_options INTERFACE -static -static-libgcc -static-libstdc++)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "X86")
    # The i686 ABI only guarantees 4-byte stack alignment; SSE code needs 16.
    target_compile_options(lm_options INTERFACE -msse2 -mstackrealign)
  endif()
  # Image libraries cross-built by scripts/build-deps.sh, as static imported
  # targets lm::jpeg, lm::png, lm::gif and lm::deflate; zlib is Debian's mingw package.
  set(LM_DEPS_PREFIX "" CACHE PATH "Prefix of the cross-built image libraries")
  find_package(ZLIB REQUIRED)
  foreach(lib jpeg png16 gif deflate)
    find_library(LM_${lib}_LIB NAMES lib${lib}.a PATHS ${LM_DEPS_PREFIX}/lib NO_DEFAULT_PATH REQUIRED)
  endforeach()
  add_library(lm::jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(lm::jpeg PROPERTIES IMPORTED_LOCATION ${LM_jpeg_LIB}
                        INTERFACE_INCLUDE_DIRECTORIES ${LM_DEPS_PREFIX}/include)
  add_library(lm::png STATIC IMPORTED GLOBAL)
  set_target_properties(lm::png PROPERTIES IMPORTED_LOCATION ${LM_png16_LIB}
                        INTERFACE_INCLUDE_DIRECTORIES ${LM_DEPS_PREFIX}/include
                        INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
  add_library(lm::gif STATIC IMPORTED GLOBAL)
  set_target_properties(lm::gif PROPERTIES IMPORTED_LOCATION ${LM_gif_LIB}
                        INTERFACE_INCLUDE_DIRECTORIES ${LM_DEPS_PREFIX}/include)
  add_library(lm::deflate STATIC IMPORTED GLOBAL)
  set_target_properties(lm::deflate PROPERTIES IMPORTED_LOCATION ${LM_deflate_LIB}
                        INTERFACE_INCLUDE_DIRECTORIES ${LM_DEPS_PREFIX}/include)
else()
  # The image libraries of the build machine (Debian's libpng-dev and
  # libgif-dev), under the same names as the cross-built ones.
  find_package(PNG REQUIRED)
  add_library(lm::png ALIAS PNG::PNG)
  find_path(LM_GIF_INCLUDE gif_lib.h REQUIRED)
  find_library(LM_GIF_LIB NAMES gif REQUIRED)
  add_library(lm::gif UNKNOWN IMPORTED GLOBAL)
  set_target_properties(lm::gif PROPERTIES IMPORTED_LOCATION ${LM_GIF_LIB}
                        INTERFACE_INCLUDE_DIRECTORIES ${LM_GIF_INCLUDE})
  # libdeflate from Debian (libdeflate-dev), the version the mingw builds are
  # cross-built from, so that both write the same PNG bytes.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LM_LIBDEFLATE REQUIRED IMPORTED_TARGET GLOBAL libdeflate)
  add_library(lm::deflate ALIAS PkgConfig::LM_LIBDEFLATE)
  if(LM_BENCH)
    set(LM_SANITIZE OFF)
  endif()
  if(LM_SANITIZE)
    target_compile_options(lm_options INTERFACE -fsanitize=address,undefined
                           -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(lm_options INTERFACE -fsanitize=address,undefined)
  endif()
  # LLVM's linker links the sanitized test programs in two thirds of the time
  # of the default one (scripts/setup.sh installs it); the mingw drivers keep theirs.
  include(CheckLinkerFlag)
  check_linker_flag(CXX -fuse-ld=lld LM_HAS_LLD)
  if(LM_HAS_LLD)
    target_link_options(lm_options INTERFACE -fuse-ld=lld)
  endif()
  if(LM_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # The fuzzers steer by the coverage of all of the program's code.
    target_compile_options(lm_options INTERFACE -fsanitize=fuzzer-no-link)
  endif()
endif()

find_package(Threads REQUIRED)
target_link_libraries(lm_options INTERFACE Threads::Threads)

# The optimisation of test sources and GoogleTest: none on the host, where it
# is cheapest to compile. The mingw linker looks an object's sections up one
# by one, so the thousands of COMDAT sections an unoptimised C++ object holds
# (one per inline function, with its unwind tables) make each link quadratic:
# -Og compiles as fast as -O0 there, emits a third of the sections and links
# in a third of the time.
if(LM_WINDOWS)
  set(LM_TEST_OPTIMIZE -Og)
else()
  set(LM_TEST_OPTIMIZE -O0)
endif()

function(_lm_wanted out)
  cmake_parse_arguments(A "PORTABLE;WINDOWS" "" "" ${ARGN})
  if(A_WINDOWS AND NOT LM_WINDOWS)
    set(${out} OFF PARENT_SCOPE)
  elseif(NOT A_WINDOWS AND NOT A_PORTABLE)
    message(FATAL_ERROR "say PORTABLE or WINDOWS")
  else()
    set(${out} ON PARENT_SCOPE)
  endif()
endfunction()

function(lm_library name)
  cmake_parse_arguments(A "PORTABLE;WINDOWS" "" "SOURCES;DEPS" ${ARGN})
  if(A_WINDOWS)
    _lm_wanted(want WINDOWS)
  else()
    _lm_wanted(want PORTABLE)
  endif()
  if(NOT want)
    return()
  endif()
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC lm_options ${A_DEPS})
endfunction()

# A library with start-up work (an install procedure) tells the start-up of a
# test or benchmark program (tests/TestStartup.cpp) that it is linked: the
# definition reaches only programs marked LM_STARTUP, so the libraries above
# it compile with the same flags as before.
function(lm_startup_flag library definition)
  if(TARGET ${library})
    target_compile_definitions(${library} INTERFACE $<$<BOOL:$<TARGET_PROPERTY:LM_STARTUP>>:${definition}>)
  endif()
endfunction()

function(lm_test name)
  cmake_parse_arguments(A "PORTABLE;WINDOWS;OPTIMIZED;WITHOUT_STARTUP" "" "SOURCES;DEPS" ${ARGN})
  # WITHOUT_STARTUP: the program installs none of its libraries (a test of
  # what they do when the program forgot to).
  set(startup ON)
  if(A_WITHOUT_STARTUP)
    set(startup OFF)
  endif()
  if(LM_BENCH)
    return()
  endif()
  if(A_WINDOWS)
    _lm_wanted(want WINDOWS)
  else()
    _lm_wanted(want PORTABLE)
  endif()
  if(NOT want)
    return()
  endif()
  if(LM_CONFIG STREQUAL "win32")
    # Compiled on request (LM_ONLY), never run: this machine cannot execute 32-bit code.
    add_executable(${name} EXCLUDE_FROM_ALL ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/TestStartup.cpp)
    set_target_properties(${name} PROPERTIES LM_STARTUP ${startup})
    target_link_libraries(${name} PRIVATE lm_options lm_testmain ${A_DEPS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    # GCC 12 for i686 reports locals read inside std::function lambdas as
    # dangling pointers (a false positive that x86_64 does not show).
    target_compile_options(${name} PRIVATE -Wno-dangling-else -Wno-dangling-pointer)
    return()
  endif()
  # TestStartup.cpp is compiled per program: it calls the installs of the
  # libraries this program links (their LM_HAS_* definitions).
  add_executable(${name} ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/TestStartup.cpp)
  set_target_properties(${name} PROPERTIES LM_STARTUP ${startup})
  target_link_libraries(${name} PRIVATE lm_options lm_testmain ${A_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # GoogleTest's EXPECT macros hide an if/else: "if (c) EXPECT_EQ(...);" is fine.
  # Test sources are compiled with little or no optimisation (LM_TEST_OPTIMIZE): they
  # are half of the build's compile time and most spend little of the run time (the
  # code under test keeps its flags). OPTIMIZED keeps the configuration's flags for
  # tests that loop over millions of pixels in the test's own code.
  target_compile_options(${name} PRIVATE -Wno-dangling-else)
  if(NOT A_OPTIMIZED)
    target_compile_options(${name} PRIVATE ${LM_TEST_OPTIMIZE})
  endif()
  # One ctest entry per executable; the configuration prefix tells the two
  # runs of a portable test apart in the combined summary.
  add_test(NAME ${LM_CONFIG}.${name} COMMAND ${name})
  set_tests_properties(${LM_CONFIG}.${name} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ENVIRONMENT "LM_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
  if(A_WINDOWS)
    # Once the folder has set its tests' locks (the name is taken now: a
    # deferred call reads its arguments' variables when it runs).
    cmake_language(EVAL CODE "cmake_language(DEFER CALL _lm_shared_desktop [[${LM_CONFIG}.${name}]])")
  endif()
endfunction()

# A Windows test that neither holds the lock "desktop" nor runs alone shares
# the display with the tests that run beside it. Its program hears so and
# fails when it activates a window (tests/TestMain.cpp): that would take the
# focus from a test that holds the display, which then fails at random.
function(_lm_shared_desktop test)
  get_test_property(${test} RESOURCE_LOCK locks)
  get_test_property(${test} RUN_SERIAL serial)
  if(NOT "desktop" IN_LIST locks AND NOT serial)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "LM_TEST_SHARED_DESKTOP=1")
  endif()
endfunction()

function(lm_benchmark name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT LM_BENCH)
    return()
  endif()
  add_executable(${name} ${A_SOURCES} ${PROJECT_SOURCE_DIR}/bench/BenchMain.cpp
                         ${PROJECT_SOURCE_DIR}/tests/TestStartup.cpp)
  set_target_properties(${name} PROPERTIES LM_STARTUP ON)
  target_link_libraries(${name} PRIVATE lm_options benchmark::benchmark ${A_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench ${PROJECT_SOURCE_DIR}/tests)
endfunction()

if(NOT LM_CONFIG)  # set by scripts/configure.sh; guessed for a hand-made build folder
  if(LM_WINDOWS AND CMAKE_SYSTEM_PROCESSOR STREQUAL "X86")
    set(LM_CONFIG win32)
  elseif(LM_WINDOWS)
    set(LM_CONFIG win64)
  else()
    set(LM_CONFIG host)
  endif()
endif()

# lm_fuzz(name SOURCES ... [DEPS ...] CORPUS folder)
# A fuzz target: LLVMFuzzerTestOneInput over a reader of outside data, with a
# minimized corpus kept in the repository. In a clang build configured with
# -DLM_FUZZ=ON it is a libFuzzer program; in every other host build it is
# linked with tests/FuzzReplay.cpp as a plain replay program. Either way the
# test <config>.<name> runs it once over every file of its corpus, so every
# target compiles and replays in every host test run.
function(lm_fuzz name)
  cmake_parse_arguments(A "WINDOWS" "CORPUS" "SOURCES;DEPS" ${ARGN})
  if(LM_BENCH)
    return()
  endif()
  # WINDOWS: a reader that needs the platform. No libFuzzer there: the replay
  # program runs the corpus under Wine (win64.fuzz_X); its -mutate= mode fuzzes
  # by hand (docs/DEVELOPING.md). win32 compiles it on request only.
  if(A_WINDOWS)
    if(NOT LM_WINDOWS)
      return()
    endif()
    if(LM_CONFIG STREQUAL "win32")
      add_executable(${name} EXCLUDE_FROM_ALL ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/FuzzReplay.cpp)
    else()
      add_executable(${name} ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/FuzzReplay.cpp)
      add_test(NAME ${LM_CONFIG}.${name} COMMAND ${name} ${A_CORPUS})
      set_tests_properties(${LM_CONFIG}.${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        ENVIRONMENT "LM_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
    endif()
    target_link_libraries(${name} PRIVATE lm_options ${A_DEPS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    return()
  endif()
  if(LM_WINDOWS)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE lm_options ${A_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(LM_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_test(NAME ${LM_CONFIG}.${name} COMMAND ${name} -runs=0 ${A_CORPUS})
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/FuzzReplay.cpp)
    add_test(NAME ${LM_CONFIG}.${name} COMMAND ${name} ${A_CORPUS})
  endif()
  set_tests_properties(${LM_CONFIG}.${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ENVIRONMENT "LM_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
