# Tests of the skin objects and their loader: the project's own skin and
# small hand-written descriptions packed in-process.
lt_add_test(skin_model_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/model_ini_test.cpp
            ${CMAKE_SOURCE_DIR}/resources/skin/tesselmenu.rc
    LIBS lt_skinmodel lt_skinfolder)
if(TARGET skin_model_test)
    target_compile_definitions(skin_model_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()

# The writers behind the skininfo tool.
lt_add_test(skin_info_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_info_test.cpp
    LIBS lt_skininfo lt_skinfolder)
if(TARGET skin_info_test)
    target_compile_definitions(skin_info_test PRIVATE
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
endif()
