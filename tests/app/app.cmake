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
            ${CMAKE_SOURCE_DIR}/tests/browser/message_box_reader.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ole/ole_environment.cpp
    LIBS lt_app lt_resources)
# The configuration accepts vendor texts up to their limits and refuses
# longer or non-ASCII ones with a message naming the value.
if(LT_TESTS)
    set(lt_limits_script ${CMAKE_CURRENT_LIST_DIR}/config_limits_test.cmake)
    add_test(NAME config_limits_accept_longest
             COMMAND ${CMAKE_COMMAND} -DLT_VENDOR_WEB=http://www.abcdefghij.cn
                     -DLT_VENDOR_MAIL=abcde@hijk.cn -DLT_VENDOR_PHONE1=123456789
                     -DLT_VENDOR_PHONE2=987654321 -P ${lt_limits_script})
    set_tests_properties(config_limits_accept_longest PROPERTIES
                         PASS_REGULAR_EXPRESSION "vendor texts accepted")
    add_test(NAME config_limits_refuse_long_mail
             COMMAND ${CMAKE_COMMAND} -DLT_VENDOR_MAIL=service@lantuo-soft.com -P ${lt_limits_script})
    set_tests_properties(config_limits_refuse_long_mail PROPERTIES PASS_REGULAR_EXPRESSION
        "LT_VENDOR_MAIL \"service@lantuo-soft.com\" has 23 characters; at most 13 fit")
    add_test(NAME config_limits_refuse_long_phone
             COMMAND ${CMAKE_COMMAND} -DLT_VENDOR_PHONE2=13800000000 -P ${lt_limits_script})
    set_tests_properties(config_limits_refuse_long_phone PROPERTIES PASS_REGULAR_EXPRESSION
        "LT_VENDOR_PHONE2 \"13800000000\" has 11 characters; at most 9 fit")
    add_test(NAME config_limits_refuse_letters_in_numbers
             COMMAND ${CMAKE_COMMAND} -DLT_VENDOR_PHONE1=QQ12345 -P ${lt_limits_script})
    set_tests_properties(config_limits_refuse_letters_in_numbers PROPERTIES
        PASS_REGULAR_EXPRESSION "LT_VENDOR_PHONE1 \"QQ12345\" must be digits and hyphens only")
    add_test(NAME config_limits_refuse_non_ascii
             COMMAND ${CMAKE_COMMAND} "-DLT_VENDOR_WEB=www.岚拓.cn" -P ${lt_limits_script})
    set_tests_properties(config_limits_refuse_non_ascii PROPERTIES PASS_REGULAR_EXPRESSION
        "LT_VENDOR_WEB \"www.岚拓.cn\" must be printable ASCII")
endif()
