# The skin gallery: the PNG writer and the command line (host and win32), the
# gallery window with its pages, skin switching and a bad skin, and the
# contrast of every caption under both skins (win32).
lt_add_test(png_writer_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/png_writer_test.cpp LIBS lt_gallery_core)
lt_add_test(gallery_options_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gallery_options_test.cpp LIBS lt_gallery_core)
lt_add_test(gallery_form_test WIN32_ONLY TIMEOUT 240
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gallery_form_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
            $<TARGET_OBJECTS:lt_gallery_resources>
    LIBS lt_gallery)
lt_add_test(gallery_contrast_test WIN32_ONLY TIMEOUT 300
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gallery_contrast_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
            $<TARGET_OBJECTS:lt_gallery_resources>
    LIBS lt_gallery)
if(TARGET gallery_form_test)
    target_compile_definitions(gallery_form_test PRIVATE
        LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite")
endif()
# Seeded mutants of both skins loaded into the gallery and painted off screen.
lt_add_test(skin_mutation_test WIN32_ONLY TIMEOUT 240
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_mutation_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ui/ui_test_util.cpp
            $<TARGET_OBJECTS:lt_gallery_resources>
    LIBS lt_gallery lt_skinpack)
if(TARGET skin_mutation_test)
    target_compile_definitions(skin_mutation_test PRIVATE
        LT_XPLUNA_DIR="${CMAKE_SOURCE_DIR}/resources/skin/xpluna"
        LT_GRAPHITE_DIR="${CMAKE_SOURCE_DIR}/resources/skin/graphite")
endif()
