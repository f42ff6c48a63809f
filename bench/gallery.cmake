# Memory and GDI objects of the gallery after every page under both skins (win32).
lt_add_bench(gallery_memory_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gallery/memory_bench.cpp
    LIBS lt_gallery lt_gallery_resources
    WIN32_ONLY)
if(TARGET gallery_memory_bench)
    target_link_options(gallery_memory_bench PRIVATE -municode)
endif()
