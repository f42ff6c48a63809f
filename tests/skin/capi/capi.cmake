# The C interface of the skin engine: its behaviour with raw windows (linked
# statically, with the header also compiled as strict C99), the DLL's export
# table, import library and version resource, and a consumer project built
# against an installed prefix only.
if(LT_WIN32 AND TARGET lantuo_skin)
    lt_add_test(skin_api_test WIN32_ONLY
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_api_test.cpp ${CMAKE_CURRENT_LIST_DIR}/skin_header_c99.c
        LIBS lt_skinapi)
    target_compile_definitions(skin_api_test PRIVATE LT_SKIN_STATIC
        LT_SKINS_DIR="${CMAKE_BINARY_DIR}/skins")
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/skin_header_c99.c PROPERTIES
        COMPILE_OPTIONS "-std=c99;-pedantic-errors;-Werror")
    add_dependencies(skin_api_test lt_skins)

    add_test(NAME skin_dll_exports
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/dll_exports_test.sh $<TARGET_FILE:lantuo_skin>
                     $<TARGET_LINKER_FILE:lantuo_skin>)
    set_tests_properties(skin_dll_exports PROPERTIES TIMEOUT 60)

    add_test(NAME skin_package_consumer
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/consumer_test.sh ${CMAKE_BINARY_DIR}
                     ${CMAKE_CURRENT_LIST_DIR}/consumer ${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-i686.cmake)
    set_tests_properties(skin_package_consumer PROPERTIES TIMEOUT 300)
endif()
