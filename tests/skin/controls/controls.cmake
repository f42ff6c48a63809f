# Control skinning: the wrapper base and one twin test per wrapper family.
lt_add_test(skin_control_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_control_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skincontrols)

# Push-button wrappers: pure rules, pixel-exact paints (hand-made frames and
# the real XPLuna skin), real windows for press, click, hot hand-over.
lt_add_test(skin_buttons_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_buttons_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skincontrols lt_stdctrls lt_controls lt_skinfolder)
if(TARGET skin_buttons_test)
    target_compile_definitions(skin_buttons_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
