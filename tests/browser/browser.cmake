# The browser host control under Wine (real WebBrowser, real windows, real
# registry and DDE messages; the document is scripted where the platform has none).
set(lt_browser_tests ${CMAKE_CURRENT_LIST_DIR})
lt_add_test(browser_host_test WIN32_ONLY
    SOURCES ${lt_browser_tests}/browser_test_util.cpp
            ${lt_browser_tests}/message_box_reader.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ole/ole_environment.cpp
            ${lt_browser_tests}/fake_html.c
            ${lt_browser_tests}/embedded_wb_test.cpp
            ${lt_browser_tests}/embedded_wb_site_test.cpp
            ${lt_browser_tests}/embedded_wb_exec_test.cpp
            ${lt_browser_tests}/embedded_wb_window_test.cpp
            ${lt_browser_tests}/dde_server_test.cpp
            ${lt_browser_tests}/platform_fpu_test.cpp
    LIBS lt_browser)
lt_add_test(browser_dde_command_test
    SOURCES ${lt_browser_tests}/dde_command_test.cpp
    LIBS lt_browser_dde)
