# lt_skinmodel: the skin objects, their loader and the skin data component
# (Windows only: pictures are GDI bitmaps).
if(LT_WIN32)
    add_library(lt_skinmodel STATIC
        ${CMAKE_CURRENT_LIST_DIR}/skin_objects.cpp
        ${CMAKE_CURRENT_LIST_DIR}/skin_loader.cpp
        ${CMAKE_CURRENT_LIST_DIR}/skin_data.cpp
    )
    target_link_libraries(lt_skinmodel PUBLIC lt_skindraw lt_skinstore lt_gdi lt_core)
endif()
