# Tests of the framework core (lt_core).
lt_add_test(core_base_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/exception_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/stream_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/strings_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/convert_test.cpp
    LIBS lt_core)
