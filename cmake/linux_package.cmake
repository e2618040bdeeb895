# The console front end as a Linux program: `cmake --install` to any prefix puts
# bin/varnock-search, its manual page and the READMEs and license under
# share/doc/varnock-search, and the package target (cpack) makes a Debian
# package of the same files under /usr, named and versioned from
# state/version.h, for the architecture of the machine that builds it.
# Included at the end of the top-level CMakeLists.txt, for builds not for Windows.
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)
include(GNUInstallDirs)

install(TARGETS varnock-search RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/varnock-search.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/README.ja.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/varnock-search)

# The package's architecture is the build machine's own, as dpkg names it.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE _varnock_arch
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE _varnock_dpkg ERROR_QUIET)
if(NOT _varnock_dpkg EQUAL 0)
    message(STATUS "dpkg not found: the package target makes no Debian package")
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnock-search)
set(CPACK_PACKAGE_VERSION ${VARNOCK_VERSION_TEXT})
set(CPACK_PACKAGE_CONTACT "Varnock developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "resistor search for op-amp level shifters (console)")
set(CPACK_PACKAGE_DESCRIPTION "Finds the three resistors Ra, Rb and Rf of an op-amp level shifter in a list
of stock resistor values, each a pair of parts in parallel or in series, for
a given input range, output range, reference voltage and precision.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${_varnock_arch})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The C and C++ runtimes it links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/package)
include(CPack)
