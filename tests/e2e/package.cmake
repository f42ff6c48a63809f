# End to end: the installer and the portable archive made from this build's
# program by scripts/package.sh, installed, run and uninstalled in a Wine
# prefix of the test's own (build/<flavour>/package-e2e holds the packages).
if(LT_WIN32 AND TARGET lantuo)
    add_test(NAME e2e_package
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/package_e2e.sh $<TARGET_FILE:lantuo> ${PROJECT_VERSION}
                     ${CMAKE_BINARY_DIR}/package-e2e ${CMAKE_BINARY_DIR}/screenshots)
    set_tests_properties(e2e_package PROPERTIES TIMEOUT 180 LABELS e2e)
endif()
