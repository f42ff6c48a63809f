# Tests of the skin store: LZH decoder (against the skin tool's encoder),
# archive reader and INI parser.
lt_add_test(lzh_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/lzh_test.cpp ${CMAKE_CURRENT_LIST_DIR}/lzh_tree_test.cpp
    LIBS lt_skinpack lt_skinstore)
lt_add_test(skin_reader_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_reader_test.cpp
    LIBS lt_skinpack lt_skinstore)
lt_add_test(quick_ini_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/quick_ini_test.cpp
    LIBS lt_skinstore)
