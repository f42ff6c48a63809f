# The skinned frame against the platform's non-client handling (win32).
lt_add_bench(skinwindow_frame_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skinwindow/frame_bench.cpp
    LIBS lt_skinwindow lt_skinfolder
    WIN32_ONLY)
if(TARGET skinwindow_frame_bench)
    target_compile_definitions(skinwindow_frame_bench PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
