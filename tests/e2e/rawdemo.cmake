# End to end: rawdemo's screenshots under both skins, none, a bad and a
# missing skin file (build/win32/screenshots/rawdemo/<run>/).
if(LT_WIN32 AND TARGET rawdemo)
    add_test(NAME e2e_rawdemo
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/rawdemo_e2e.sh $<TARGET_FILE:rawdemo>
                     ${CMAKE_BINARY_DIR}/screenshots)
    set_tests_properties(e2e_rawdemo PROPERTIES TIMEOUT 240 LABELS e2e)
endif()
