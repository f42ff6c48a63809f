# Fuzzing the form-definition reader (and the writer on what it accepts).
lt_add_fuzz(form_reader_fuzz
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/form_reader/form_reader_fuzz.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/core/sample_classes.cpp
    LIBS lt_core
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/form_reader/corpus)
