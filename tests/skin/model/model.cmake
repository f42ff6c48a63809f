# Tests of the skin objects and their loader: the project's own skin and
# small hand-written descriptions packed in-process.
lt_add_test(skin_model_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/model_ini_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/combo_composite_test.cpp
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

# The second skin as the build packs it (resources/CMakeLists.txt, lt_skins),
# against the first one for the switching checks.
lt_add_test(graphite_skin_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/graphite_skin_test.cpp
            ${CMAKE_SOURCE_DIR}/resources/skin/tesselmenu.rc
    LIBS lt_skinmodel lt_skininfo lt_skinfolder)
if(TARGET graphite_skin_test)
    add_dependencies(graphite_skin_test lt_skins)
    target_compile_definitions(graphite_skin_test PRIVATE
        LT_GRAPHITE_SKN="${CMAKE_BINARY_DIR}/skins/graphite.skn"
        LT_XPLUNA_SKN="${CMAKE_BINARY_DIR}/skins/xpluna.skn"
        LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite"
        LT_SKIN_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna")
    # The skininfo program itself on the packed second skin.
    add_test(NAME skininfo_graphite_test COMMAND skininfo ${CMAKE_BINARY_DIR}/skins/graphite.skn)
    set_tests_properties(skininfo_graphite_test PROPERTIES TIMEOUT 60
        PASS_REGULAR_EXPRESSION
            "\"checkFrames\": 12, \"radioPicture\": \\[112, 14, 8\\], \"radioFrames\": 8"
        FAIL_REGULAR_EXPRESSION "skininfo: ")
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
