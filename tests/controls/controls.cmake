# Tests of the custom-drawn controls and their helpers.
lt_add_test(colour_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/colour_test.cpp
    LIBS lt_colour)
