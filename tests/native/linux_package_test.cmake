# The Linux install and package as a designer gets them: `cmake --install` to a
# prefix of one's own, and the Debian package that cpack makes, each holding the
# program, its manual page, the READMEs and the license in their places; the
# package named and versioned from state/version.h for this machine's
# architecture, and its program runs once unpacked.
# Usage: cmake -DCPACK=... -DBUILD=... -DVERSION_HEADER=... -DWORK=... -P
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(expected bin/varnock-search share/man/man1/varnock-search.1 share/doc/varnock-search/LICENSE
             share/doc/varnock-search/README.ja.md share/doc/varnock-search/README.md)
list(SORT expected)

function(expect_files root)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
    list(SORT found)
    if(NOT found STREQUAL expected)
        message(FATAL_ERROR "${root} holds '${found}', not '${expected}'")
    endif()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix RESULT_VARIABLE status
                OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}): ${err}")
endif()
expect_files(${WORK}/prefix)

file(STRINGS ${VERSION_HEADER} version REGEX "#define VARNOCK_VERSION_TEXT ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" version "${version}")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb ${BUILD}/package/varnock-search_${version}_${arch}.deb)
file(REMOVE ${deb})
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake WORKING_DIRECTORY ${BUILD}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT EXISTS ${deb})
    message(FATAL_ERROR "cpack made no ${deb} (${status}):\n${out}\n${err}")
endif()
execute_process(COMMAND dpkg-deb --field ${deb} Package Version Architecture Depends OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "^Package: varnock-search\nVersion: ${version}\nArchitecture: ${arch}\nDepends: [^\n]*libc6")
    message(FATAL_ERROR "${deb} has the fields:\n${fields}")
endif()

# Everything under /usr, as it unpacks.
execute_process(COMMAND dpkg-deb --extract ${deb} ${WORK}/deb RESULT_VARIABLE status)
expect_files(${WORK}/deb/usr)
execute_process(COMMAND ${WORK}/deb/usr/bin/varnock-search --version OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "varnock-search (Varnock) R${version}\n")
    message(FATAL_ERROR "the packaged program printed '${out}' (exit ${status})")
endif()
