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

# The committed skin pictures and description are exactly what the
# generator draws (host flavour; python3 standard library only).
if(LT_TESTS AND NOT LT_WIN32)
    find_package(Python3 COMPONENTS Interpreter)
    if(Python3_Interpreter_FOUND)
        add_test(NAME skin_artwork_test
                 COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/skin/generate.py --check)
        set_tests_properties(skin_artwork_test PROPERTIES TIMEOUT 120)
    endif()
endif()
