# varnock-search --complete as a designer runs it: every line printed, the
# status line with the total and, when more matched, the note in both languages.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/list.txt "10k\n2k\n24k\n")

include(${CMAKE_CURRENT_LIST_DIR}/cli_support.cmake)
set(CLI_FIXED_ARGS --list List3 --list-file ${WORK}/list.txt --precision 0.5%)

run_cli(0 out --complete --dnm 3 --lang en)
expect_match("${out}" "^10k//DNM, 24k//DNM, 2k//DNM, 0.3125%, -0.3125%, 1558\n1 set\\(s\\) found.\n$")
run_cli(0 out --complete --best 1 --lang en)
expect_match("${out}" "^[^\n]+\n2 set\\(s\\) found. Only the best 1 are printed.\n$")
run_cli(0 out --complete --best 2 --serial --lang en)
expect_match("${out}" "^[^\n]+\n[^\n]+\n([0-9]+) set\\(s\\) found. Only the best 2 are printed.\n$")
run_cli(0 out --best=2 --serial)
expect_match("${out}" "\n[0-9]+組見つかりました。上位2組のみ表示しました。\n$")
run_cli(0 out --complete --precision 0.00001% --lang en)
expect_match("${out}" "^Can not be able to fined.\n$")
run_cli(1 out --complete --vref 3.3x --lang en)
expect_match("${out}" "^Format error\n3.3x\n$")
run_cli(2 out --complete --best 0)
run_cli(2 out --complete --best 1000001)
run_cli(2 out --complete --best 12x)

# The complete search goes through the same writers: CSV rows (status on
# stderr) and one JSON document, each with the best N only.
run_cli(0 out --complete --best 1 --serial --lang en --format csv)
expect_match("${out}" "^ra,rb,rf,[^\n]+\r?\n[^\n]+,[0-9],[^\n]+\r?\n[0-9]+ set\\(s\\) found. Only the best 1 are printed.\n$")
run_cli(0 out --complete --dnm 3 --lang en --format json)
expect_match("${out}" "^{\"status\": \"1 set\\(s\\) found.\", \"count\": 1, \"results\": \\[\n  {\"ra\": \"10k//DNM\", \"rb\": \"24k//DNM\", \"rf\": \"2k//DNM\",")
