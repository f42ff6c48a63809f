# Build-time script: writes a form definition with a packed skin as the
# binary "SkinStream" value (a 32-bit little-endian count, then the bytes).
#   cmake -DIN=template -DSKIN=packed.skin -DOUT=form -P embed_skin.cmake
# The template carries the marker @LT_FORM_SKINSTREAM@ where the hex goes.
foreach(var IN ITEMS IN SKIN OUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "embed_skin.cmake: ${var} is not set")
    endif()
endforeach()

file(SIZE "${SKIN}" size)
file(READ "${SKIN}" bytes HEX)

# The count, little-endian, two hex digits a byte.
set(count "")
foreach(shift 0 8 16 24)
    math(EXPR byte "(${size} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${byte}" 2 -1 digits)
    string(LENGTH "${digits}" len)
    if(len EQUAL 1)
        set(digits "0${digits}")
    endif()
    string(APPEND count "${digits}")
endforeach()

# 32 digits (16 bytes) a line, indented under the property.
set(hex "${count}${bytes}")
string(TOUPPER "${hex}" hex)
string(REGEX REPLACE "([0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F])"
       "\\1\n      " hex "${hex}")

file(READ "${IN}" text)
string(FIND "${text}" "@LT_FORM_SKINSTREAM@" at)
if(at LESS 0)
    message(FATAL_ERROR "embed_skin.cmake: ${IN} has no @LT_FORM_SKINSTREAM@ marker")
endif()
string(REPLACE "@LT_FORM_SKINSTREAM@" "${hex}" text "${text}")
file(WRITE "${OUT}.tmp" "${text}")
file(RENAME "${OUT}.tmp" "${OUT}")
