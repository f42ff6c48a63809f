# End to end: the skin gallery driven with real input, and its screenshots of
# every page with each skin (build/win32/screenshots/gallery/<skin>/).
if(LT_WIN32 AND TARGET gallery)
    add_test(NAME e2e_gallery
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/gallery_e2e.sh $<TARGET_FILE:gallery>
                     ${CMAKE_BINARY_DIR}/skins ${CMAKE_BINARY_DIR}/screenshots)
    set_tests_properties(e2e_gallery PROPERTIES TIMEOUT 240 LABELS e2e)
endif()
