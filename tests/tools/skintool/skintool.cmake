# The skin tool: its encoder, and its commands run in-process (and, in the
# host flavour, the program itself for its exit codes).
lt_add_test(lzh_encoder_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/lzh_encoder_test.cpp
    LIBS lt_skinpack lt_skinstore)
lt_add_test(skintool_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skintool_test.cpp
    LIBS lt_skinpack lt_skinstore)
if(TARGET skintool AND TARGET skintool_test)
    target_compile_definitions(skintool_test PRIVATE SKINTOOL_EXE="$<TARGET_FILE:skintool>")
    add_dependencies(skintool_test skintool)
endif()
# The skin checker on the built-in skins, a broken copy and small hand-made
# skins (both flavours).
lt_add_test(skin_check_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_check_test.cpp
    LIBS lt_skinpack lt_skinstore)
if(TARGET skin_check_test)
    target_compile_definitions(skin_check_test PRIVATE
        LT_SKIN_SOURCES="${CMAKE_SOURCE_DIR}/resources/skin")
endif()
# The checker's vocabulary against the loader's own lookups (Windows: the
# loader builds pictures through the platform).
lt_add_test(skin_vocabulary_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_vocabulary_test.cpp
            ${CMAKE_SOURCE_DIR}/resources/skin/tesselmenu.rc
    LIBS lt_skinmodel lt_skinfolder lt_skinpack)
if(TARGET skin_vocabulary_test)
    target_compile_definitions(skin_vocabulary_test PRIVATE
        LT_XPLUNA_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna"
        LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite")
endif()
