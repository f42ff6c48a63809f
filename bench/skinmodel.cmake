# Skin model benchmark (win32): the whole skin load (unpack, INI, every
# picture, the combo composite) against the bare LZH decode of the same bytes.
lt_add_bench(skinmodel_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skinmodel/skin_load_bench.cpp
    LIBS lt_skinmodel lt_skinfolder
    WIN32_ONLY)
if(TARGET skinmodel_bench)
    target_compile_definitions(skinmodel_bench PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
