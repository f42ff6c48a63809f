# Skinned control paints against the platform's own paints (win32).
lt_add_bench(skinpaint_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skinpaint/paint_bench.cpp
    LIBS lt_skinwindow lt_skincontrols lt_stdctrls lt_skinfolder
    WIN32_ONLY)
if(TARGET skinpaint_bench)
    target_compile_definitions(skinpaint_bench PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
