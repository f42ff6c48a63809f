# Shared build settings and the helpers every folder uses:
#   lt_add_test(name SOURCES ... LIBS ... [WIN32_ONLY] [LABELS ...])
#   lt_add_fuzz(name SOURCES ... LIBS ... CORPUS dir)
#   lt_add_bench(name SOURCES ... LIBS ... [WIN32_ONLY])
include_guard(GLOBAL)

add_compile_options(-Wall -Wextra)
# GCC 12 reports false -Wrestrict, -Warray-bounds, -Wstringop-overread and
# -Wstringop-overflow inside std::string's and std::wstring's constructors and
# operator+ when it inlines them (GCC bug 105329 and its kin; which call
# sites it flags changes with each inlining decision); the warnings say
# nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict -Wno-array-bounds -Wno-stringop-overread
                        -Wno-stringop-overflow)
endif()
include_directories(${CMAKE_SOURCE_DIR})

if(LT_WIN32)
    add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601
                            _WIN32_IE=0x0600 LT_WIN32=1)
    # A precompiled header that cannot be used is said, not silently parsed again.
    # Line tables are all the debug information the tests and crash reports use;
    # full debug information doubled the compile and link times.
    add_compile_options(-Winvalid-pch -g1)
    # lld links the many static test programs in a fraction of ld's time.
    include(CheckLinkerFlag)
    check_linker_flag(CXX -fuse-ld=lld LT_HAVE_LLD)
    if(LT_HAVE_LLD)
        add_link_options(-fuse-ld=lld)
    endif()
    # Everything static: no runtime DLLs to ship.
    add_link_options(-static -static-libgcc -static-libstdc++)
elseif(LT_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address -g -O1)
    add_link_options(-fsanitize=address)
elseif(LT_BENCH)
    if(NOT CMAKE_BUILD_TYPE)
        set(CMAKE_BUILD_TYPE Release)
    endif()
elseif(LT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -g)
    add_link_options(-fsanitize=address,undefined)
endif()

# Test code of the win32 flavour is built for a shorter build: light
# optimisation (the code under test keeps the flavour's own), line tables only.
# A cache variable: -DLT_TEST_COMPILE_OPTIONS="-O0;-g" builds the tests
# unoptimised, for a debugger (use a build tree of its own).
if(LT_WIN32)
    set(LT_TEST_COMPILE_OPTIONS -O1 -g1 CACHE STRING "")
endif()

# Unit tests are built in the win32 flavour and in the plain host flavour.
if(LT_TOOLS_ONLY)
    set(LT_TESTS OFF)
elseif(LT_WIN32 OR (NOT LT_FUZZ AND NOT LT_BENCH))
    set(LT_TESTS ON)
else()
    set(LT_TESTS OFF)
endif()

if(LT_TESTS AND NOT TARGET gtest)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    if(LT_WIN32)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    endif()
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL SYSTEM)
    target_compile_options(gtest PRIVATE ${LT_TEST_COMPILE_OPTIONS})
    target_compile_options(gtest_main PRIVATE ${LT_TEST_COMPILE_OPTIONS})
endif()
enable_testing()

# A helper source that many test programs name (path relative to tests/),
# compiled once as an object library linked with LIBS; lt_add_test swaps the
# source for the library.
function(lt_add_shared_test_source source)
    string(MAKE_C_IDENTIFIER "lt_testsrc_${source}" lib)
    add_library(${lib} OBJECT ${CMAKE_SOURCE_DIR}/tests/${source})
    target_link_libraries(${lib} PUBLIC ${ARGN})
    target_compile_options(${lib} PRIVATE ${LT_TEST_COMPILE_OPTIONS})
    set_property(TARGET ${lib} PROPERTY LT_TEST ON)
    set_property(GLOBAL APPEND PROPERTY LT_SHARED_TEST_SOURCES "${CMAKE_SOURCE_DIR}/tests/${source}")
endfunction()

function(lt_add_test name)
    cmake_parse_arguments(T "WIN32_ONLY;HOST_ONLY" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT LT_TESTS)
        return()
    endif()
    if(T_WIN32_ONLY AND NOT LT_WIN32)
        return()
    endif()
    if(T_HOST_ONLY AND LT_WIN32)
        return()
    endif()
    get_property(shared GLOBAL PROPERTY LT_SHARED_TEST_SOURCES)
    set(sources "")
    foreach(source IN LISTS T_SOURCES)
        get_filename_component(path "${source}" ABSOLUTE)
        if(path IN_LIST shared)
            file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR}/tests "${path}")
            string(MAKE_C_IDENTIFIER "lt_testsrc_${relative}" lib)
            list(APPEND T_LIBS ${lib})
        else()
            list(APPEND sources "${source}")
        endif()
    endforeach()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
    target_compile_options(${name} PRIVATE ${LT_TEST_COMPILE_OPTIONS})
    set_property(TARGET ${name} PROPERTY LT_TEST ON)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

# A win32 test of the skin engine with real windows: NAME.cpp in the calling
# folder plus the shared UI test utilities (and any EXTRA sources), linked
# with LIBS and lt_skinfolder; the two skins' source folders reach it as
# LT_SKIN_DIR and LT_GRAPHITE_DIR.
function(lt_add_skin_test name)
    cmake_parse_arguments(S "" "" "LIBS;EXTRA" ${ARGN})
    lt_add_test(${name} WIN32_ONLY
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp
                ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp ${S_EXTRA}
        LIBS ${S_LIBS} lt_skinfolder)
    if(TARGET ${name})
        target_compile_definitions(${name} PRIVATE
            LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna"
            LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite")
    endif()
endfunction()

# A libFuzzer target; the test run gives it a short bounded pass over its
# committed corpus (new inputs go to a scratch folder, never into the repo).
set(LT_FUZZ_SECONDS 10 CACHE STRING "Seconds of fuzzing per target in the test run")
function(lt_add_fuzz name)
    cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
    if(NOT LT_FUZZ)
        return()
    endif()
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address)
    set(scratch ${CMAKE_BINARY_DIR}/fuzz-scratch/${name})
    add_test(NAME ${name}
             COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                     $<TARGET_FILE:${name}> -max_total_time=${LT_FUZZ_SECONDS} -rss_limit_mb=1024
                     -timeout=10 -print_final_stats=1 ${scratch} ${F_CORPUS})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    file(MAKE_DIRECTORY ${scratch})
endfunction()

# Benchmarks print "name: value unit" lines. Host ones use Google Benchmark
# through bench/bench_main.cpp; win32 ones use bench/bench_util.h.
function(lt_add_bench name)
    cmake_parse_arguments(B "WIN32_ONLY;HOST_ONLY" "" "SOURCES;LIBS" ${ARGN})
    if(LT_WIN32)
        if(B_HOST_ONLY)
            return()
        endif()
        add_executable(${name} ${B_SOURCES})
        target_link_libraries(${name} PRIVATE ${B_LIBS})
    elseif(LT_BENCH AND NOT B_WIN32_ONLY)
        find_package(benchmark REQUIRED)
        add_executable(${name} ${B_SOURCES} ${CMAKE_SOURCE_DIR}/bench/bench_main.cpp)
        target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
    endif()
endfunction()
