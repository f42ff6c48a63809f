# Standard controls, first half: buttons, checks and panels, edits, lists.
set(lt_stdctrls_tests ${CMAKE_CURRENT_LIST_DIR})
set(lt_stdctrls_test_util ${lt_stdctrls_tests}/std_test_util.cpp
    ${lt_stdctrls_tests}/../ui/ui_test_util.cpp ${lt_stdctrls_tests}/../ui/real_input.cpp)
foreach(family buttons checks edits lists)
    lt_add_test(stdctrls_${family}_test WIN32_ONLY TIMEOUT 90
        SOURCES ${lt_stdctrls_test_util} ${lt_stdctrls_tests}/std_${family}_test.cpp
        LIBS lt_stdctrls)
endforeach()
