# Tests of the framework core (lt_core).
lt_add_test(core_base_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/exception_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/stream_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/strings_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/convert_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/extended_test.cpp
    LIBS lt_core)
lt_add_test(core_object_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sample_classes.cpp
            ${CMAKE_CURRENT_LIST_DIR}/object_model_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/property_access_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/component_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/collection_test.cpp
    LIBS lt_core)
lt_add_test(core_form_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sample_classes.cpp
            ${CMAKE_CURRENT_LIST_DIR}/form_reader_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/form_writer_test.cpp
    LIBS lt_core)
