# run(<command> <args>...): runs a command in a check script and stops the
# script with the command's output when it fails; `output` is its stdout.
function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGV}\n${out}\n${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()
