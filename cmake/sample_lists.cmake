# Run at install (packaging) time by cmake/package.cmake: writes the E48 and
# E96 sample lists into VARNOCK_LIST_DIR with the console front end VARNOCK_CLI
# (a command list, the emulator first when cross-compiled), as text files with
# CR LF line ends for Windows. Left out, with a note, while the front end's
# usage offers no way to print a series.
set(VARNOCK_SAMPLE_SERIES E48 E96)
# How the front end prints series SERIES as a list; SERIES is replaced.
set(VARNOCK_PRINT_SERIES_ARGS --print-list SERIES)

execute_process(COMMAND ${VARNOCK_CLI} --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
list(GET VARNOCK_PRINT_SERIES_ARGS 0 print_option)
if(NOT status EQUAL 0 OR NOT usage MATCHES "${print_option}")
    message(STATUS "varnock-search has no ${print_option} yet: the package holds no sample lists")
    return()
endif()
file(MAKE_DIRECTORY ${VARNOCK_LIST_DIR})
foreach(series IN LISTS VARNOCK_SAMPLE_SERIES)
    string(REPLACE SERIES ${series} arguments "${VARNOCK_PRINT_SERIES_ARGS}")
    execute_process(COMMAND ${VARNOCK_CLI} ${arguments} OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR text STREQUAL "")
        message(FATAL_ERROR "varnock-search ${arguments} failed (${status}): no ${series} list")
    endif()
    # The emulator strips CR; every line of the file ends in CR LF again.
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${VARNOCK_LIST_DIR}/${series}.txt "${text}")
    message(STATUS "Sample list ${VARNOCK_LIST_DIR}/${series}.txt")
endforeach()
