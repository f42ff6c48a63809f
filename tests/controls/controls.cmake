# Tests of the custom-drawn controls and their helpers.
lt_add_test(colour_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/colour_test.cpp
    LIBS lt_colour)
lt_add_test(frame_draw_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_draw_test.cpp
    LIBS lt_controls)
lt_add_test(blink_clock_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/blink_clock_test.cpp
    LIBS lt_controls)
lt_add_test(rz_label_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/rz_label_test.cpp
    LIBS lt_controls)
lt_add_test(rz_button_paint_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/rz_button_paint_test.cpp
    LIBS lt_controls)
if(TARGET rz_button_paint_test)
    target_compile_definitions(rz_button_paint_test PRIVATE LT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
lt_add_test(rz_button_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/rz_button_test.cpp
    LIBS lt_controls lt_resources)
