# Window skinning with real windows under Wine: the skin manager, the caption
# buttons, the form skinner (frame, region, title, caption buttons, message
# boxes, MDI, skin switching, counters over many cycles), the frame painting
# (real skins and hand-made borders), the menu bar and its drop-downs, popup
# menus and their items, and the control wrapper mapping on real forms.
foreach(name skin_manager_test caption_buttons_test form_skinner_test form_caption_test
        form_mdi_test form_skin_switch_test frame_paint_test popup_menu_test menu_items_test
        form_mapping_test form_keymenu_test form_messages_test)
    lt_add_skin_test(${name} LIBS lt_skinwindow)
endforeach()
# The menu bar is driven by the real mouse and keys.
foreach(name menu_bar_test menu_bar_tracking_test)
    lt_add_skin_test(${name} LIBS lt_skinwindow
        EXTRA ${CMAKE_SOURCE_DIR}/tests/framework/ui/real_input.cpp)
endforeach()

# The control wrapper mapping's decisions, without a window.
lt_add_test(control_mapping_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_mapping_test.cpp
    LIBS lt_skinwindow)
