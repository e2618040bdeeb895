# Run at install (packaging) time by cmake/package.cmake: writes the E48 and
# E96 sample lists into VARNOCK_LIST_DIR with the console front end VARNOCK_CLI
# (a command list, the emulator first when cross-compiled), as text files with
# CR LF line ends for Windows (the default range, 10 to 1M).
set(VARNOCK_SAMPLE_SERIES E48 E96)
# How the front end prints series SERIES as a list; SERIES is replaced.
set(VARNOCK_PRINT_SERIES_ARGS --series SERIES --print-list)

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
