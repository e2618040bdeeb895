# The console front end as a designer runs it, in an empty folder: the typical
# run, exit statuses, output encodings and option errors.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/cli_support.cmake)

# The typical run: E12 with the defaults, English status, one line per set.
run_cli(0 out --list E12 --lang en)
expect_match("${out}" "\n([0-9]+) set\\(s\\) found\\.\n$")
string(REGEX MATCH "([0-9]+) set\\(s\\) found" status "${out}")
set(count ${CMAKE_MATCH_1})
string(REGEX MATCHALL "[^\n]*%, [^\n]*%, [0-9]+\n" lines "${out}")
list(LENGTH lines line_count)
if(NOT line_count EQUAL count OR count LESS 1)
    message(FATAL_ERROR "${line_count} result lines for a status of ${count} sets:\n${out}")
endif()
if(out MATCHES "\r")
    message(FATAL_ERROR "terminal output keeps CR")
endif()

# Japanese status in UTF-8 by default, code page 932 bytes on request.
run_cli(0 out --list E6 --precision 0.00001%)
expect_match("${out}" "^見つけられませんでした。\n$")
# (read back from a file: execute_process turns CR LF into LF in its variables)
execute_process(COMMAND ${CLI} --list E6 --precision 0.00001% --cp932 WORKING_DIRECTORY ${WORK}
                OUTPUT_FILE ${WORK}/raw.txt)
file(READ ${WORK}/raw.txt hex HEX)
if(NOT hex STREQUAL "8ca982c282af82e782ea82dc82b982f182c582b582bd81420d0a")
    message(FATAL_ERROR "raw output is not the code page 932 text: ${hex}")
endif()

# Input errors end with status 1 and their message.
run_cli(1 out --vref 3.3x --lang en)
expect_match("${out}" "^Format error\n3.3x\n$")
run_cli(1 out --vo-max 0.1 --lang en)
expect_match("${out}" "^Range error = 0.000000\n$")
run_cli(1 out --config b --lang en)
expect_match("${out}" "^Not yet released.\n$")
file(WRITE ${WORK}/bad.txt "100\n -5\n")
run_cli(1 out --list List2 --list-file ${WORK}/bad.txt --lang en)
expect_match("${out}" "^Stock list error\n$")

# Typed texts with units; a list file replaces the chosen list.
file(WRITE ${WORK}/list.txt "10k\n2k\n24k\n")
run_cli(0 out --list List3 --list-file=${WORK}/list.txt --precision 0.5% --vref 3300m --dnm 3 --lang en)
expect_match("${out}" "^10k//DNM, 24k//DNM, 2k//DNM, 0.3125%, -0.3125%, 1558\n1 set\\(s\\) found.\n$")

# Bad options: status 2 with the usage text.
foreach(args "--bogus" "--list;E48" "--lang;fr" "--vref" "--list-file;${WORK}/missing.txt")
    run_cli(2 out ${args})
endforeach()
run_cli(2 out --bogus)
expect_match("${out}" "usage:")
run_cli(0 out --help)
foreach(option --list --vi-min --vi-max --vo-min --vo-max --vref --precision --dnm --serial --config --lang
               --list-file --cp932 --save --format --series --from --to --print-list --tolerance --check --version)
    expect_match("${out}" "${option}")
endforeach()
# The manual page documents every option the help lists (it writes "-" as "\-").
file(READ ${SOURCE}/docs/varnock-search.1 manual)
string(REPLACE "\\-" "-" manual "${manual}")
string(REGEX MATCHALL "(^|[ \n])--[a-z0-9-]+" help_options "${out}")
list(LENGTH help_options help_option_count)
foreach(option IN LISTS help_options)
    string(STRIP "${option}" option)
    if(NOT manual MATCHES "${option}[^a-z0-9-]")
        message(FATAL_ERROR "the manual page does not document ${option}")
    endif()
endforeach()
if(help_option_count LESS 25)
    message(FATAL_ERROR "only ${help_option_count} options found in the help")
endif()

# --version prints the version of the window's caption.
run_cli(0 out --version)
expect_match("${out}" "^varnock-search \\(Varnock\\) (R[0-9.]+)\n$")
string(REGEX MATCH "R[0-9.]+" version "${out}")
file(READ ${SOURCE}/ui/control_table.cpp caption_source)
string(FIND "${caption_source}" " ${version}\";" at)
if(at LESS 0)
    message(FATAL_ERROR "--version prints ${version}, which the window's caption does not show")
endif()

# --check: a combination evaluated whatever the precision, in every format.
run_cli(0 out --check 10k//DNM 24k//DNM 2k//DNM)
expect_match("${out}" "^10k//DNM, 24k//DNM, 2k//DNM, 0.3125%, -0.3125%, 1558\n$")
run_cli(0 out --check 10k//DNM 24k//DNM 2k//DNM --tolerance 1%)
expect_match("${out}" "1558; ±1%: -0.0284%..0.6467%, -0.4672%..-0.1547%\n$")
run_cli(0 out --check 10k//DNM 24k//DNM 2k//DNM --format json)
expect_match("${out}" "^{\"status\": \"\", \"count\": 1, \"results\": \\[\n  {\"ra\": \"10k//DNM\", .*\"rb_ohms\": 24000, .*\"req_ohms\": 1558.44155844155")
run_cli(1 out --check 10k//DNM 24k//DNM 2k//DNM --vref 3.3x --lang en)
expect_match("${out}" "^Format error\n3.3x\n$")

# --format csv: a header, one row per printed line, the status on stderr.
execute_process(COMMAND ${CLI} --list E12 --precision 1% --dnm 3 --lang en --format csv WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status OUTPUT_FILE ${WORK}/out.csv ERROR_VARIABLE err)
file(STRINGS ${WORK}/out.csv rows)
list(LENGTH rows row_count)
list(GET rows 1 first_row)
if(NOT status EQUAL 0 OR NOT err STREQUAL "30 set(s) found.\n" OR NOT row_count EQUAL 31
   OR NOT first_row MATCHES "^3.3M//DNM,8.2M//DNM,680k//DNM,3.3M,DNM,//,.*,8199999.9999999991,680000,3,")
    message(FATAL_ERROR "csv: exit ${status}, ${row_count} rows, stderr '${err}', first row ${first_row}")
endif()
foreach(args "--format;xml" "--format;csv;--cp932" "--tolerance;5x" "--tolerance;100%" "--from;abc" "--to;-5"
             "--series;E5" "--series;E96;--from;0" "--series;E96;--list-file;${WORK}/list.txt" "--check;1k//DNM;2k//DNM")
    run_cli(2 out ${args})
endforeach()

# --series and --print-list: the chosen list becomes the series; E192 from 10
# to 1M is more than a list holds. From 10 to 10M the E24 family is the window's
# own lists, line for line.
run_cli(0 out --series E192 --from 9k --to 9.3k --print-list)
expect_match("${out}" "^9.09k\n9.2k\n$")
run_cli(2 out --series E192)
expect_match("${out}" "more than 500 values")
foreach(series E24 E12 E6)
    run_cli(0 built_in --list ${series} --print-list)
    run_cli(0 out --series ${series} --from 10 --to 10M --print-list)
    if(NOT out STREQUAL built_in)
        message(FATAL_ERROR "--series ${series} from 10 to 10M is not the built-in list:\n${out}")
    endif()
endforeach()

# --from and --to narrow any list, each line read as the search reads it: RKM
# values, both ends included, either bound alone, blank lines and lines that
# are no value in range dropped, nothing taken after a "-" line.
file(WRITE ${WORK}/range.txt "4k7\r\n\r\n1k\r\n  \r\n100k 1%\r\n2R2\r\nR47\r\nnan\r\n220k\r\n-\r\n47k\r\n")
set(CLI_FIXED_ARGS --list List2 --list-file ${WORK}/range.txt --print-list)
foreach(case "--from;1k;--to;100k=4k7\n1k\n100k 1%\n" "--from;4.7k;--to;4k7=4k7\n" "--to;10=2R2\nR47\n"
             "--from;100k=100k 1%\n220k\n")
    string(REPLACE "=" ";" case "${case}")
    list(POP_BACK case expected)
    string(REPLACE "\\n" "\n" expected "${expected}")
    run_cli(0 out ${case})
    if(NOT out STREQUAL expected)
        message(FATAL_ERROR "${case} narrows the list to:\n${out}\nexpected:\n${expected}")
    endif()
endforeach()
unset(CLI_FIXED_ARGS)
run_cli(0 out --series E6 --to 100 --print-list)
expect_match("${out}" "^10\n15\n22\n33\n47\n68\n100\n$")
# A range that leaves no value names itself and the list; a negative line is
# still the parser's to refuse, not dropped.
run_cli(2 out --list E24 --from 1.4k --to 1.45k)
expect_match("${out}" "^--from 1.4k --to 1.45k leaves no value of E24\n$")
run_cli(2 out --list-file ${WORK}/range.txt --from 10M)
expect_match("${out}" "^--from 10M leaves no value of '.*range.txt' \\(read into List1\\)\n$")
run_cli(2 out --series E96 --from 10k --to 1k)
expect_match("${out}" "^--from 10k --to 1k leaves no value of the series E96: --from is above --to\n$")
run_cli(1 out --list List1 --list-file ${WORK}/bad.txt --from 50 --lang en)
expect_match("${out}" "^Stock list error\n$")
# The search takes its parts from the narrowed list: the best designs of the
# forum question at 1k to 100k use no part outside the range.
run_cli(0 out --list E24 --from 1k --to 100k --serial --vi-min 0.326 --vi-max 3.3 --vo-min 0 --vo-max 10
        --vref 3.3 --precision 0.1% --complete --best 50 --lang en)
string(REGEX REPLACE ", -?[0-9.]+%, -?[0-9.]+%, [0-9]+\n" ";" pairs "${out}")
string(REGEX REPLACE ";[0-9]+ set\\(s\\) found.*" "" pairs "${pairs}")
string(REGEX REPLACE "(, |//|\\+)" ";" parts "${pairs}")
list(REMOVE_ITEM parts DNM)
list(LENGTH parts part_count)
foreach(part IN LISTS parts)
    if(NOT part MATCHES "^([1-9][0-9]?(\\.[0-9])?k|100k)$")
        message(FATAL_ERROR "a part outside 1k..100k: '${part}' in\n${out}")
    endif()
endforeach()
if(part_count LESS 150)
    message(FATAL_ERROR "the best 50 designs hold ${part_count} parts:\n${out}")
endif()

# Output that cannot be written fails loudly; a reader that stops early does not.
execute_process(COMMAND ${CLI} --list E12 --lang en OUTPUT_FILE /dev/full ERROR_VARIABLE err RESULT_VARIABLE status
                WORKING_DIRECTORY ${WORK})
if(status EQUAL 0 OR NOT err MATCHES "could not be written")
    message(FATAL_ERROR "a full disk: exit ${status}, stderr '${err}'")
endif()
execute_process(COMMAND ${CLI} --list E24 --serial --precision 1% --format csv COMMAND head -c 100
                OUTPUT_QUIET ERROR_VARIABLE err WORKING_DIRECTORY ${WORK})
if(NOT err STREQUAL "")
    message(FATAL_ERROR "a reader that closed the pipe got messages: ${err}")
endif()

# Varnock.ini: loaded from the current folder before the options, written only
# with --save, with CR LF line ends; a loaded file saves again to the same bytes.
set(ini ${WORK}/Varnock.ini)
run_cli(0 saved --list E6 --lang en --precision 1% --dnm 2)
if(EXISTS ${ini})
    message(FATAL_ERROR "Varnock.ini written without --save")
endif()
run_cli(0 saved --list E6 --lang en --precision 1% --dnm 2 --save)
# (read as hex bytes: file(READ) drops the CR of a text)
file(READ ${ini} hex HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
string(REGEX MATCHALL "0a " line_ends "${bytes}")
string(REGEX MATCHALL "0d 0a " crlf_ends "${bytes}")
list(LENGTH line_ends line_count)
list(LENGTH crlf_ends crlf_count)
if(NOT line_count EQUAL 42 OR NOT crlf_count EQUAL 42 OR NOT bytes MATCHES "^32 30 0d 0a 31 0d 0a ")
    message(FATAL_ERROR "saved Varnock.ini is not 42 CR LF lines in English:\n${bytes}")
endif()
file(MD5 ${ini} first)
run_cli(0 loaded)
if(NOT loaded STREQUAL saved)
    message(FATAL_ERROR "the run from the saved file differs:\n${loaded}\nexpected:\n${saved}")
endif()
run_cli(0 loaded --save)
file(MD5 ${ini} second)
if(NOT first STREQUAL second)
    message(FATAL_ERROR "saving the loaded state changed Varnock.ini")
endif()

# A list loaded from Varnock.ini is narrowed like any other, and --save keeps it whole.
run_cli(0 out --list List3 --list-file ${WORK}/range.txt --save)
run_cli(0 out --from 1k --to 100k --save)
run_cli(0 out --print-list)
expect_match("${out}" "^4k7\n\n1k\n  \n100k 1%\n2R2\nR47\nnan\n220k\n-\n47k\n$")
run_cli(0 out --from 1k --to 100k --print-list)
expect_match("${out}" "^4k7\n1k\n100k 1%\n$")

# A hand-edited file is read (English), and the options still override it.
file(WRITE ${ini} "1\n1\n")
run_cli(1 out --vref 3.3x)
expect_match("${out}" "^Format error\n3.3x\n$")
run_cli(1 out --vref 3.3x --lang ja)
expect_match("${out}" "^フォーマット・エラー\n3.3x\n$")

# A save that cannot replace the file says so, exits 3 and leaves nothing behind.
file(REMOVE ${ini})
file(MAKE_DIRECTORY ${ini})
run_cli(3 out --list E6 --save)
expect_match("${out}" "could not write")
if(EXISTS ${WORK}/Varnock.tmp OR NOT IS_DIRECTORY ${ini})
    message(FATAL_ERROR "a failed save left Varnock.tmp or touched Varnock.ini")
endif()
