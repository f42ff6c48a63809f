# Fuzz targets of the skin store: the LZH decoder, the archive reader and
# the INI parser, each with a small committed seed corpus.
lt_add_fuzz(fuzz_lzh
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/lzh/fuzz_lzh.cpp
    LIBS lt_skinstore
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/lzh/corpus)
lt_add_fuzz(fuzz_skin_reader
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_reader/fuzz_skin_reader.cpp
    LIBS lt_skinstore
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/skin_reader/corpus)
lt_add_fuzz(fuzz_quick_ini
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/quick_ini/fuzz_quick_ini.cpp
    LIBS lt_skinstore
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/quick_ini/corpus)
lt_add_fuzz(fuzz_lzh_roundtrip
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/lzh/fuzz_lzh_roundtrip.cpp
    LIBS lt_skinpack lt_skinstore
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/lzh/roundtrip_corpus)
lt_add_fuzz(fuzz_skin_check
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_check/fuzz_skin_check.cpp
    LIBS lt_skinpack lt_skinstore
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/skin_check/corpus)
