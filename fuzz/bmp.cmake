# Fuzzing the BMP decoder (and re-encoding what it accepts).
lt_add_fuzz(bmp_fuzz
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp/bmp_fuzz.cpp
    LIBS lt_bmp
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/bmp/corpus)
