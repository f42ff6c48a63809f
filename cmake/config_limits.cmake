# Limits of the vendor texts shown in the status bar: each must fit its
# panel in the bar's 13-pixel font, whose widest printable ASCII glyph is 8
# pixels and whose digits are 7. The configuration accepts printable ASCII
# (digits and hyphens for the numbers) up to a length; the main window's
# tests measure the longest accepted values in the real font.
include_guard(GLOBAL)

set(LT_VENDOR_WEB_MAX 24)   # panel 2: 200 px
set(LT_VENDOR_MAIL_MAX 13)  # panel 3: 350 px, with both numbers at their longest
set(LT_VENDOR_PHONE_MAX 9)

# Stops the configuration with a message naming the value when a vendor text
# is not printable ASCII or longer than its limit.
function(lt_check_vendor_texts)
    foreach(pair "LT_VENDOR_WEB;${LT_VENDOR_WEB_MAX}" "LT_VENDOR_MAIL;${LT_VENDOR_MAIL_MAX}"
                 "LT_VENDOR_PHONE1;${LT_VENDOR_PHONE_MAX}" "LT_VENDOR_PHONE2;${LT_VENDOR_PHONE_MAX}")
        list(GET pair 0 var)
        list(GET pair 1 max)
        set(value "${${var}}")
        if(NOT value MATCHES "^[ -~]*$")
            message(FATAL_ERROR "${var} \"${value}\" must be printable ASCII: it is shown in the status bar.")
        endif()
        if(var MATCHES "PHONE" AND NOT value MATCHES "^[-0-9]*$")
            message(FATAL_ERROR "${var} \"${value}\" must be digits and hyphens only.")
        endif()
        string(LENGTH "${value}" length)
        if(length GREATER max)
            message(FATAL_ERROR "${var} \"${value}\" has ${length} characters; at most ${max} fit its status-bar panel.")
        endif()
    endforeach()
endfunction()

# Build trees configured before the vendor texts were shortened hold the
# earlier defaults in their caches; those are dropped so that the current
# defaults apply (values anyone chose are kept, and checked).
macro(lt_forget_earlier_vendor_defaults)
    foreach(pair "LT_VENDOR_WEB;www.lantuo-soft.com" "LT_VENDOR_MAIL;service@lantuo-soft.com"
                 "LT_VENDOR_PHONE1;0755-26000000" "LT_VENDOR_PHONE2;13800000000")
        list(GET pair 0 var)
        list(GET pair 1 earlier)
        if(DEFINED CACHE{${var}} AND "$CACHE{${var}}" STREQUAL "${earlier}")
            unset(${var} CACHE)
        endif()
    endforeach()
endmacro()
