# Skin store benchmarks (host): decode throughput, encoder ratio, INI lookups,
# and the decoder side by side with a classic-shape baseline.
lt_add_bench(skinstore_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skinstore/skinstore_bench.cpp
            ${CMAKE_CURRENT_LIST_DIR}/skinstore/skin_like.cpp
            ${CMAKE_CURRENT_LIST_DIR}/skinstore/samples.cpp
            ${CMAKE_CURRENT_LIST_DIR}/skinstore/lzh_classic.cpp
            ${CMAKE_CURRENT_LIST_DIR}/skinstore/lzh_vs_classic.cpp
    LIBS lt_skinpack lt_skinstore
    HOST_ONLY)
if(TARGET skinstore_bench)
    target_compile_definitions(skinstore_bench PRIVATE
        LT_OWN_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
# The classic-shape decoder as a program, to time against `skintool unpack`
# from outside (hyperfine).
if(LT_HOST AND NOT LT_FUZZ)
    add_executable(lzh_classic_unpack
        ${CMAKE_CURRENT_LIST_DIR}/skinstore/lzh_classic_unpack.cpp
        ${CMAKE_CURRENT_LIST_DIR}/skinstore/lzh_classic.cpp)
    target_include_directories(lzh_classic_unpack PRIVATE ${CMAKE_SOURCE_DIR})
endif()
