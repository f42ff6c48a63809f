# The main window's embedded skin.
lt_add_test(main_skin_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_skin_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/framework/ole/ole_environment.cpp
    LIBS lt_app lt_resources)
