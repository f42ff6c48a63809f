# Tests of the skin drawing utilities (pixels under Wine).
lt_add_test(draw_frame_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw_frame_test.cpp
    LIBS lt_skindraw)
lt_add_test(draw_region_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw_region_test.cpp
    LIBS lt_skindraw)
lt_add_test(draw_paint_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw_paint_test.cpp
    LIBS lt_skindraw)
lt_add_test(draw_parent_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw_parent_test.cpp
    LIBS lt_skindraw)
lt_add_test(draw_leak_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw_leak_test.cpp
    LIBS lt_skindraw)
