# Control skinning: the wrapper base and one twin test per wrapper family.
lt_add_test(skin_control_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_control_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skincontrols)
