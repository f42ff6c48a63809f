# find_package(LantuoSkin): the skin engine's C interface.
#   LantuoSkin::skin         lantuo_skin.dll through its import library
#   LantuoSkin::skin_static  the static library (links as C++, statically)
# Both carry the include folder; the header is <lantuo/skin.h>.
get_filename_component(_lantuo_skin_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(NOT TARGET LantuoSkin::skin)
    add_library(LantuoSkin::skin SHARED IMPORTED)
    set_target_properties(LantuoSkin::skin PROPERTIES
        IMPORTED_LOCATION "${_lantuo_skin_prefix}/bin/lantuo_skin.dll"
        IMPORTED_IMPLIB "${_lantuo_skin_prefix}/lib/liblantuo_skin.dll.a"
        INTERFACE_INCLUDE_DIRECTORIES "${_lantuo_skin_prefix}/include")
endif()

if(NOT TARGET LantuoSkin::skin_static)
    add_library(LantuoSkin::skin_static STATIC IMPORTED)
    # The engine is C++: the program links with the C++ driver, and the
    # runtime goes in statically so that no runtime DLL is needed.
    set_target_properties(LantuoSkin::skin_static PROPERTIES
        IMPORTED_LOCATION "${_lantuo_skin_prefix}/lib/liblantuo_skin_static.a"
        IMPORTED_LINK_INTERFACE_LANGUAGES CXX
        INTERFACE_INCLUDE_DIRECTORIES "${_lantuo_skin_prefix}/include"
        INTERFACE_COMPILE_DEFINITIONS LT_SKIN_STATIC
        INTERFACE_LINK_OPTIONS "-static"
        INTERFACE_LINK_LIBRARIES "comctl32;msimg32;gdi32;user32;ole32;uuid")
endif()

unset(_lantuo_skin_prefix)
set(LantuoSkin_FOUND TRUE)
