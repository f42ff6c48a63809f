# Tests of the graphics framework: the portable BMP codec (both flavours) and
# the Windows drawing objects.
lt_add_test(bmp_codec_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_codec_test.cpp
    LIBS lt_bmp)
