# Runs the configuration's check of the vendor texts on the values given
# with -D (cmake -D... -P config_limits_test.cmake); defaults fill the rest.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/config_limits.cmake)
foreach(pair "LT_VENDOR_WEB;x" "LT_VENDOR_MAIL;x" "LT_VENDOR_PHONE1;1" "LT_VENDOR_PHONE2;1")
    list(GET pair 0 var)
    if(NOT DEFINED ${var})
        list(GET pair 1 ${var})
    endif()
endforeach()
lt_check_vendor_texts()
message(STATUS "vendor texts accepted")
