# lt_skinstore: the skin store (LZH decoder, archive reader, INI parser).
# Portable; the win32 flavour adds the message box behind the reader's
# one user message.
add_library(lt_skinstore STATIC
    ${CMAKE_CURRENT_LIST_DIR}/lzh_tree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lzh.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_hook.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quick_ini.cpp
)
if(LT_WIN32)
    target_sources(lt_skinstore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/message_hook_win32.cpp)
else()
    target_sources(lt_skinstore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/message_hook_portable.cpp)
endif()
target_link_libraries(lt_skinstore PUBLIC lt_core)
