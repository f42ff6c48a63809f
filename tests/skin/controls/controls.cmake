# Control skinning: the wrapper base and one twin test per wrapper family
# (pure rules, pixel-exact paints of hand-made pictures and of the real
# XPLuna and Graphite skins, real windows under Wine; the scroll bars also
# with the real mouse).
lt_add_test(skin_control_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_control_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skincontrols)
lt_add_skin_test(skin_buttons_test LIBS lt_skincontrols lt_stdctrls lt_controls)
foreach(name skin_checks_test skin_bars_test skin_combos_test skin_edits_test skin_panels_test
        skin_tabs_test)
    lt_add_skin_test(${name} LIBS lt_skincontrols lt_stdctrls)
endforeach()
lt_add_skin_test(skin_scrollbars_test LIBS lt_skincontrols lt_stdctrls
    EXTRA ${CMAKE_SOURCE_DIR}/tests/framework/ui/real_input.cpp)
