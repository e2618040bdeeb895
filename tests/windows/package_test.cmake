# The release zip as a designer receives it: cpack makes it from the build, and
# it must unpack into one folder holding both programs, both READMEs, the
# license and, once the console front end can print a series, the E48 and E96
# sample lists with CR LF line ends. Its name carries the version of
# state/version.h. Usage: cmake -DCPACK=... -DBUILD=... -DVERSION_HEADER=... -DCLI=... -P
include(${BUILD}/CPackConfig.cmake)
file(STRINGS ${VERSION_HEADER} version REGEX "#define VARNOCK_VERSION_TEXT ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" version "${version}")
set(folder Varnock-${version}-win64)
set(ZIP ${CPACK_OUTPUT_FILE_PREFIX}/${folder}.zip)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake WORKING_DIRECTORY ${BUILD}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT EXISTS ${ZIP})
    message(FATAL_ERROR "cpack made no ${ZIP} (${status}):\n${out}\n${err}")
endif()

set(unpacked ${BUILD}/package_test)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ZIP} does not unpack")
endif()

set(expected Varnock.exe varnock-search.exe README.md README.ja.md LICENSE lists/E48.txt lists/E96.txt)
file(GLOB_RECURSE found RELATIVE ${unpacked}/${folder} ${unpacked}/*)
list(SORT expected)
list(SORT found)
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "${ZIP} holds '${found}' in ${folder}/, not '${expected}'")
endif()
# Whole series over 10 to 1M: 241 and 481 values, the last one 1M, every line
# ended by CR LF (read as hex bytes: file(READ) drops the CR of a text).
foreach(list IN ITEMS E48:241 E96:481)
    string(REPLACE ":" ";" pair ${list})
    list(GET pair 0 name)
    list(GET pair 1 values)
    file(READ ${unpacked}/${folder}/lists/${name}.txt hex HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
    string(REGEX MATCHALL "0a " line_ends "${bytes}")
    string(REGEX MATCHALL "0d 0a " crlf_ends "${bytes}")
    list(LENGTH line_ends lines)
    list(LENGTH crlf_ends crlf_lines)
    if(NOT lines EQUAL values OR NOT crlf_lines EQUAL values OR NOT bytes MATCHES "^31 30 0d 0a .*0d 0a 31 4d 0d 0a $")
        message(FATAL_ERROR "lists/${name}.txt: not ${values} lines from 10 to 1M, each ended by CR LF")
    endif()
endforeach()
