# End to end: the browser's place in the running program, seen from outside.
if(LT_WIN32 AND TARGET lantuo)
    add_executable(browser_probe ${CMAKE_CURRENT_LIST_DIR}/browser_probe.cpp)
    target_link_options(browser_probe PRIVATE -municode)
    add_test(NAME e2e_browser
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/browser_e2e.sh $<TARGET_FILE:lantuo>
                     $<TARGET_FILE:browser_probe> ${CMAKE_BINARY_DIR}/screenshots)
    set_tests_properties(e2e_browser PROPERTIES TIMEOUT 120 LABELS e2e)
endif()
