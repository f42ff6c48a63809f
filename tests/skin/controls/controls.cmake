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

# Check-box and radio-button skins; progress-bar and track-bar skins; combo
# box, edit and up-down skins (the real XPLuna and Graphite skins from their
# sources, and hand-made pictures).
foreach(name skin_checks_test skin_bars_test skin_combos_test skin_edits_test)
    lt_add_test(${name} WIN32_ONLY
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp
                ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
        LIBS lt_skincontrols lt_stdctrls lt_skinfolder)
    if(TARGET ${name})
        target_compile_definitions(${name} PRIVATE
            LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna"
            LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite")
    endif()
endforeach()

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

# Scroll-bar skins: the overlay's pure rules, pixel-exact paints of
# hand-made pictures and the real XPLuna skin, real memos and scroll-bar
# controls under Wine driven by the real mouse.
lt_add_test(skin_scrollbars_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_scrollbars_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/real_input.cpp
    LIBS lt_skincontrols lt_stdctrls lt_skinfolder)
if(TARGET skin_scrollbars_test)
    target_compile_definitions(skin_scrollbars_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
