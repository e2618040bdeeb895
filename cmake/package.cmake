# The release a designer downloads: `cmake --build --preset windows --target
# package` makes Varnock-<version>-win64.zip with both programs, the READMEs,
# the license and sample lists of the E48 and E96 series. Included at the end
# of the top-level CMakeLists.txt, for the Windows build only; the version is
# the one of state/version.h, so the name always matches the caption and the
# version resource.
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)

install(TARGETS Varnock varnock-search RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/README.ja.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION .)

# The sample lists are printed by the console front end at packaging time (the
# values live in one place, the program); a build cross-compiled on Linux runs
# it under Wine. A front end that cannot print a series yet leaves them out.
if(CMAKE_CROSSCOMPILING)
    set(_varnock_runner "${CMAKE_CROSSCOMPILING_EMULATOR}")
else()
    set(_varnock_runner "")
endif()
install(CODE "
    set(VARNOCK_CLI \"${_varnock_runner};$<TARGET_FILE:varnock-search>\")
    set(VARNOCK_LIST_DIR \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lists\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/sample_lists.cmake\")
")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Varnock)
set(CPACK_PACKAGE_VENDOR "Varnock developers")
set(CPACK_PACKAGE_VERSION ${VARNOCK_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Resistor search for op-amp level shifters")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME Varnock-${VARNOCK_VERSION_TEXT}-win64)
# Unpacks into one folder of the same name, not loose into Downloads.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/package)
include(CPack)
