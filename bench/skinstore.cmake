# Skin store benchmarks (host): decode throughput, encoder ratio, INI lookups.
lt_add_bench(skinstore_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skinstore/skinstore_bench.cpp
            ${CMAKE_CURRENT_LIST_DIR}/skinstore/skin_like.cpp
    LIBS lt_skinpack lt_skinstore
    HOST_ONLY)
if(TARGET skinstore_bench)
    target_compile_definitions(skinstore_bench PRIVATE
        LT_OWN_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
