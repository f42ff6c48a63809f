# Tests of the graphics framework: the portable BMP codec (both flavours) and
# the Windows drawing objects.
lt_add_test(bmp_codec_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_codec_test.cpp
    LIBS lt_bmp)
lt_add_test(gdi_handles_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gdi_handles_test.cpp
    LIBS lt_gdi)
lt_add_test(bitmap_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bitmap_test.cpp
    LIBS lt_gdi)
lt_add_test(canvas_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/canvas_test.cpp
    LIBS lt_gdi)
lt_add_test(image_list_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_list_test.cpp
    LIBS lt_gdi)
lt_add_test(paint_scope_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/paint_scope_test.cpp
    LIBS lt_gdi)
lt_add_test(screen_text_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/screen_text_test.cpp
    LIBS lt_gdi)
