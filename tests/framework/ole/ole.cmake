# ActiveX hosting tests: the platform's WebBrowser control under Wine.
lt_add_test(ole_host_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ole_host_test.cpp
    LIBS lt_ole)
lt_add_test(ole_web_browser_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/web_browser_test.cpp
    LIBS lt_olectl)
lt_add_test(ole_scope_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ole_scope_test.cpp
    LIBS lt_browser)
