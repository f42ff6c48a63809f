# Host tools the build runs (the skin packer). The win32 flavour cannot run
# its own executables at build time, so it builds them natively as an
# external project in <build>/host-tools; the host flavour uses its own target.
#   lt_pack_skin(OUTPUT file SOURCE_DIR dir) packs a skin folder at build time.
include_guard(GLOBAL)

if(NOT EXISTS ${CMAKE_SOURCE_DIR}/tools/skintool/CMakeLists.txt)
    # No packer in the tree: nothing to set up.
elseif(LT_WIN32)
    include(ExternalProject)
    set(LT_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
    set(LT_SKINTOOL ${LT_HOST_TOOLS_DIR}/tools/skintool/skintool)
    ExternalProject_Add(lt_host_tools
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${LT_HOST_TOOLS_DIR}
        CMAKE_ARGS -DLT_TOOLS_ONLY=ON -DLT_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
                   -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
        BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target skintool
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        BUILD_BYPRODUCTS ${LT_SKINTOOL})
    set(LT_SKINTOOL_DEPENDS lt_host_tools)
elseif(NOT LT_FUZZ)
    set(LT_SKINTOOL $<TARGET_FILE:skintool>)
    set(LT_SKINTOOL_DEPENDS skintool)
endif()

function(lt_pack_skin)
    cmake_parse_arguments(P "" "OUTPUT;SOURCE_DIR" "" ${ARGN})
    file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${P_SOURCE_DIR}/*)
    add_custom_command(OUTPUT ${P_OUTPUT}
        COMMAND ${LT_SKINTOOL} pack ${P_SOURCE_DIR} ${P_OUTPUT}
        DEPENDS ${LT_SKINTOOL_DEPENDS} ${inputs}
        COMMENT "Packing skin ${P_SOURCE_DIR}"
        VERBATIM)
endfunction()
