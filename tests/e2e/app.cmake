# End to end: the program started as a user starts it, driven with real keys
# and mouse clicks, observed from outside (titles, a probe process reading
# the status bar and dialog, screenshots).
if(LT_WIN32 AND TARGET lantuo)
    add_executable(app_probe ${CMAKE_CURRENT_LIST_DIR}/app_probe.cpp)
    target_link_options(app_probe PRIVATE -municode)
    target_link_libraries(app_probe PRIVATE comctl32)
    add_test(NAME e2e_app
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/app_e2e.sh $<TARGET_FILE:lantuo>
                     $<TARGET_FILE:app_probe> ${CMAKE_BINARY_DIR}/screenshots)
    set_tests_properties(e2e_app PROPERTIES TIMEOUT 180 LABELS e2e)
endif()
