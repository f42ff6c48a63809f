# Benchmarks of the graphics framework and the skin drawing utilities.
lt_add_bench(gdi_stretch_bench WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gdi/stretch_bench.cpp
    LIBS lt_skindraw msimg32)
lt_add_bench(gdi_region_bench WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gdi/region_bench.cpp
    LIBS lt_skindraw)
lt_add_bench(gdi_bmp_bench HOST_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gdi/bmp_bench.cpp
    LIBS lt_bmp)
