# Start-up of the program's main window against an empty Win32 window (win32).
lt_add_bench(app_startup_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/app/startup_bench.cpp
    LIBS lt_app lt_resources
    WIN32_ONLY)
if(TARGET app_startup_bench)
    target_link_options(app_startup_bench PRIVATE -municode)
endif()
