# What the console tests share: run_cli runs the program in WORK with
# CLI_FIXED_ARGS (if set) before the given arguments and checks its exit
# status; expect_match checks its output.
function(run_cli expected_status out_var)
    execute_process(COMMAND ${CLI} ${CLI_FIXED_ARGS} ${ARGN} WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "${ARGN}: exit ${status}, expected ${expected_status}\n${out}\n${err}")
    endif()
    set(${out_var} "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_match text pattern)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "output does not match '${pattern}':\n${text}")
    endif()
endfunction()
