# Control skinning: the wrapper base and one twin test per wrapper family.
lt_add_test(skin_control_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_control_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skincontrols)

# Panel, group box, status bar, header, size box and glyph-strip skins.
lt_add_test(skin_panels_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_panels_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skincontrols lt_skinfolder)
if(TARGET skin_panels_test)
    target_compile_definitions(skin_panels_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()

# Tab control and tab set skins.
lt_add_test(skin_tabs_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_tabs_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skincontrols lt_skinfolder)
if(TARGET skin_tabs_test)
    target_compile_definitions(skin_tabs_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
