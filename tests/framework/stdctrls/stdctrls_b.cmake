# Standard controls, second half: tabs, bars, views, tool bar, pickers (real windows under Wine).
set(lt_stdctrls_b_tests ${CMAKE_CURRENT_LIST_DIR})
set(lt_stdctrls_b_util ${CMAKE_CURRENT_LIST_DIR}/../ui/ui_test_util.cpp)
foreach(family tabs bars views toolbar pickers)
    lt_add_test(stdctrls_${family}_test WIN32_ONLY
        SOURCES ${lt_stdctrls_b_util} ${lt_stdctrls_b_tests}/std_test_util_b.cpp
                ${lt_stdctrls_b_tests}/std_${family}_test.cpp
        LIBS lt_stdctrls)
endforeach()
