# End-to-end tests: real programs started under Wine and driven from outside.
if(LT_WIN32)
    set(LT_SCREENSHOTS ${CMAKE_BINARY_DIR}/screenshots)
    add_test(NAME e2e_bench_window
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/bench_window_e2e.sh $<TARGET_FILE:benchwin>
                     ${LT_SCREENSHOTS})
    set_tests_properties(e2e_bench_window PROPERTIES TIMEOUT 120 LABELS e2e)
endif()
