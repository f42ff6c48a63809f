# Tests of the skin drawing utilities (pixels under Wine).
lt_add_test(draw_frame_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw_frame_test.cpp
    LIBS lt_skindraw)
