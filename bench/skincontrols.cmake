# Control skins against the same controls unskinned (win32).
lt_add_bench(skincontrols_scroll_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skincontrols/scroll_bench.cpp
    LIBS lt_skincontrols lt_stdctrls lt_skinfolder
    WIN32_ONLY)
if(TARGET skincontrols_scroll_bench)
    target_compile_definitions(skincontrols_scroll_bench PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
