# Framework core benchmarks: reading and writing a form definition with 200
# components and a 55 KB binary property; by-name property reads.
lt_add_bench(core_form_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/form_bench.cpp
            ${CMAKE_CURRENT_LIST_DIR}/core/form_definition.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/core/sample_classes.cpp
    LIBS lt_core
    HOST_ONLY)
lt_add_bench(core_form_bench_win32
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/form_bench_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/core/form_definition.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/core/sample_classes.cpp
    LIBS lt_core
    WIN32_ONLY)
