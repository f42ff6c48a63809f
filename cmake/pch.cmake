# Precompiled headers. The platform's and the standard library's headers (and
# GoogleTest's, for tests) are most of the time of every translation unit, so
# each is parsed once per build: in the win32 flavour one header for the
# libraries and programs and one for the test programs (built without
# optimisation); in the host unit-test flavour one for the test programs.
# Applied to every target once the tree is read.
include_guard(GLOBAL)

# The platform's headers come in through the framework's own way of including
# them (framework/ui/win32.h), which keeps the framework's names free of the
# platform's macros.
set(LT_PCH_STD_HEADERS <algorithm> <functional> <map> <memory> <string> <vector>)
set(LT_PCH_WIN32_HEADERS [["framework/ui/win32.h"]] <commctrl.h> <ole2.h>)

# Every build-system target of a directory and its subdirectories.
function(lt_collect_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        lt_collect_targets(${sub} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Answers in `out` whether `target` has C++ sources; its C sources are kept
# from the C++ header.
function(lt_pch_cxx_target target out)
    get_target_property(type ${target} TYPE)
    get_target_property(imported ${target} IMPORTED)
    set(${out} OFF PARENT_SCOPE)
    if(imported OR NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
        return()
    endif()
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
        if(source MATCHES "\\.(cpp|cc|cxx)$")
            set(${out} ON PARENT_SCOPE)
        elseif(source MATCHES "\\.c$")
            set_source_files_properties(${source} TARGET_DIRECTORY ${target}
                PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
        endif()
    endforeach()
endfunction()

function(lt_apply_pch)
    if(LT_WIN32)
        set(lib_headers ${LT_PCH_WIN32_HEADERS} ${LT_PCH_STD_HEADERS})
    elseif(LT_TESTS)
        set(lib_headers "")
    else()
        return()
    endif()
    set(pch_source ${CMAKE_SOURCE_DIR}/cmake/pch.cpp)
    if(lib_headers)
        add_library(lt_pch_lib OBJECT ${pch_source})
        target_precompile_headers(lt_pch_lib PRIVATE ${lib_headers})
    endif()
    if(LT_TESTS)
        add_library(lt_pch_test OBJECT ${pch_source})
        target_link_libraries(lt_pch_test PRIVATE gtest)
        target_compile_options(lt_pch_test PRIVATE ${LT_TEST_COMPILE_OPTIONS})
        target_precompile_headers(lt_pch_test PRIVATE <gtest/gtest.h> ${lib_headers}
            ${LT_PCH_STD_HEADERS})
    endif()
    lt_collect_targets(${CMAKE_SOURCE_DIR} targets)
    foreach(target IN LISTS targets)
        # The portable libraries take no platform header, nor does the test of
        # the browser's options, whose names clash with the platform's.
        if(target MATCHES "^(lt_pch_lib|lt_pch_test|gtest|gtest_main|gmock|gmock_main)$"
           OR target MATCHES "^(lt_core|lt_bmp|lt_skinstore|lt_colour|browser_options_test)$")
            continue()
        endif()
        lt_pch_cxx_target(${target} has_cxx)
        if(NOT has_cxx)
            continue()
        endif()
        get_target_property(is_test ${target} LT_TEST)
        if(is_test)
            target_link_libraries(${target} PRIVATE gtest)
            target_precompile_headers(${target} REUSE_FROM lt_pch_test)
        elseif(lib_headers)
            target_precompile_headers(${target} REUSE_FROM lt_pch_lib)
        endif()
    endforeach()
endfunction()
