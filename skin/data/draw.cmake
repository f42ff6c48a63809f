# lt_skindraw: the bitmap drawing utilities of the skin engine (Windows only).
if(LT_WIN32)
    add_library(lt_skindraw STATIC
        ${CMAKE_CURRENT_LIST_DIR}/draw_blit.cpp
        ${CMAKE_CURRENT_LIST_DIR}/draw_stretch.cpp
        ${CMAKE_CURRENT_LIST_DIR}/draw_frame.cpp
        ${CMAKE_CURRENT_LIST_DIR}/draw_region.cpp
        ${CMAKE_CURRENT_LIST_DIR}/draw_transform.cpp
        ${CMAKE_CURRENT_LIST_DIR}/draw_text.cpp
        ${CMAKE_CURRENT_LIST_DIR}/draw_gradient.cpp
        ${CMAKE_CURRENT_LIST_DIR}/draw_parent.cpp
    )
    target_link_libraries(lt_skindraw PUBLIC lt_gdi)
endif()
