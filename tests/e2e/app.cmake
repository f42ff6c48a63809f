# End to end: the program started as a user starts it, driven with real keys
# and mouse clicks, observed from outside (titles, a probe process reading
# the status bar and dialog, screenshots).
if(LT_WIN32 AND TARGET lantuo)
    add_executable(app_probe ${CMAKE_CURRENT_LIST_DIR}/app_probe.cpp)
    target_link_options(app_probe PRIVATE -municode)
    target_link_libraries(app_probe PRIVATE comctl32)
    # GCC 12 reports a false -Warray-bounds inside std::wstring's constructor
    # once it inlines the probe's status-text helper (the same family of
    # string false positives as -Wrestrict above in lantuo.cmake).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(app_probe PRIVATE -Wno-array-bounds)
    endif()
    add_test(NAME e2e_app
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/app_e2e.sh $<TARGET_FILE:lantuo>
                     $<TARGET_FILE:app_probe> ${CMAKE_BINARY_DIR}/screenshots)
    set_tests_properties(e2e_app PROPERTIES TIMEOUT 180 LABELS e2e)
endif()
