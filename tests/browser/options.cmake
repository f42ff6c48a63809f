# Browser option sets and page-setup values (portable: host and win32).
lt_add_test(browser_options_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/browser_options_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/print_options_test.cpp
    LIBS lt_browser_options)
