# Windowing framework tests (real windows under Wine).
set(lt_ui_tests ${CMAKE_CURRENT_LIST_DIR})
lt_add_test(ui_thunk_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/thunk_test.cpp ${lt_ui_tests}/subclass_test.cpp
    LIBS lt_ui)
lt_add_test(ui_control_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/ui_test_util.cpp ${lt_ui_tests}/control_test.cpp
    LIBS lt_ui)
lt_add_test(ui_form_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/ui_test_util.cpp ${lt_ui_tests}/form_test.cpp
            ${lt_ui_tests}/form_keys_test.cpp ${lt_ui_tests}/form_icon_mdi_test.cpp
    LIBS lt_ui)
lt_add_test(ui_components_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/ui_test_util.cpp ${lt_ui_tests}/timer_test.cpp
            ${lt_ui_tests}/menu_test.cpp ${lt_ui_tests}/statusbar_test.cpp
            ${lt_ui_tests}/leak_test.cpp
    LIBS lt_ui)
lt_add_test(ui_application_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/ui_test_util.cpp ${lt_ui_tests}/application_test.cpp
    LIBS lt_ui)
lt_add_test(ui_message_hooks_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/ui_test_util.cpp ${lt_ui_tests}/message_hooks_test.cpp
    LIBS lt_ui)
lt_add_test(ui_sequence_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/ui_test_util.cpp ${lt_ui_tests}/message_log.cpp
            ${lt_ui_tests}/real_input.cpp ${lt_ui_tests}/reflection_test.cpp
            ${lt_ui_tests}/focus_test.cpp ${lt_ui_tests}/mouse_test.cpp
            ${lt_ui_tests}/align_test.cpp
    LIBS lt_ui)
lt_add_test(ui_wincontrol_paint_test WIN32_ONLY
    SOURCES ${lt_ui_tests}/ui_test_util.cpp ${lt_ui_tests}/wincontrol_paint_test.cpp
    LIBS lt_ui)
