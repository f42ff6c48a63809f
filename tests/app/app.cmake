# Tests of the application shell.
lt_add_test(clock_text_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/clock_text_test.cpp
    LIBS lt_app_clock)
lt_add_test(message_box_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/message_box_test.cpp
    LIBS lt_app lt_resources)
lt_add_test(main_frm_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_frm_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ole/ole_environment.cpp
    LIBS lt_app lt_resources)
# A browser message box under the program's own main window.
lt_add_test(main_browser_dialog_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_browser_dialog_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ole/ole_environment.cpp
    LIBS lt_app lt_resources)
