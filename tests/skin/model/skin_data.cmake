# Tests of the skin data component (creation, properties, skin stream,
# skin files, the class-name veto and the requests to the skin manager).
lt_add_test(skin_data_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_data_test.cpp
            ${CMAKE_SOURCE_DIR}/resources/skin/tesselmenu.rc
    LIBS lt_skinmodel lt_skinfolder)
if(TARGET skin_data_test)
    target_compile_definitions(skin_data_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
