# Window skinning: the skin manager with real windows under Wine.
lt_add_test(skin_manager_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_manager_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skinwindow lt_skinfolder)
if(TARGET skin_manager_test)
    target_compile_definitions(skin_manager_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()

# Caption buttons: the title-bar objects' protocol, rules, layout and paint.
lt_add_test(caption_buttons_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/caption_buttons_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skinwindow lt_skinfolder)
if(TARGET caption_buttons_test)
    target_compile_definitions(caption_buttons_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()

# The form skinner with real windows: frame, region, title, caption buttons,
# message boxes, MDI, skin switching and counters over many cycles.
lt_add_test(form_skinner_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/form_skinner_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skinwindow lt_skinfolder)
if(TARGET form_skinner_test)
    target_compile_definitions(form_skinner_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna"
        LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite")
endif()

# Frame painting without a window: the real skins and hand-made borders.
lt_add_test(frame_paint_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_paint_test.cpp
    LIBS lt_skinwindow lt_skinfolder)
if(TARGET frame_paint_test)
    target_compile_definitions(frame_paint_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna"
        LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite")
endif()

# The skinned menu bar: rules, builders, paint; its drop-downs under Wine.
foreach(name menu_bar_test menu_bar_tracking_test)
    lt_add_test(${name} WIN32_ONLY
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp
                ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
        LIBS lt_skinwindow lt_skinfolder)
    if(TARGET ${name})
        target_compile_definitions(${name} PRIVATE
            LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
    endif()
endforeach()

# Popup-menu windows: border geometry, items on the popup's background, the
# animation capture and real popups with skinned borders.
lt_add_test(popup_menu_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/popup_menu_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skinwindow lt_skinfolder)
if(TARGET popup_menu_test)
    target_compile_definitions(popup_menu_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()

# Skinned menu items: rules, preparations of a form's menus, pixel-exact
# drawing into DIBs and a GDI count over a thousand draws.
lt_add_test(menu_items_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/menu_items_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skinwindow lt_skinfolder)
if(TARGET menu_items_test)
    target_compile_definitions(menu_items_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()

# The control wrapper mapping's decisions, without a window.
lt_add_test(control_mapping_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_mapping_test.cpp
    LIBS lt_skinwindow)

# The control wrapper mapping carried out on real forms and raw windows,
# with recording wrappers registered under the family names.
lt_add_test(form_mapping_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/form_mapping_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
    LIBS lt_skinwindow lt_skinfolder)
if(TARGET form_mapping_test)
    target_compile_definitions(form_mapping_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
