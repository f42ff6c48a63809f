# The bench's own proof: real non-client painting, regions and Chinese text
# under Wine, and the bench window program used by the run script and the
# end-to-end test.
if(LT_WIN32)
    add_library(lt_benchwin STATIC ${CMAKE_CURRENT_LIST_DIR}/bench_window.cpp)
    add_executable(benchwin WIN32 ${CMAKE_CURRENT_LIST_DIR}/bench_window_main.cpp)
    target_link_libraries(benchwin PRIVATE lt_benchwin)
    target_link_options(benchwin PRIVATE -municode)
endif()
lt_add_test(platform_test WIN32_ONLY
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform_test.cpp
    LIBS lt_benchwin gdi32 user32)
