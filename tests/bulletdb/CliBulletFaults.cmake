# tarnwick-cli bullets --import given what is no CSV file: exit status 1 and a message
# naming the file, never an abort.
foreach(target IN ITEMS "${DIR}" /dev/zero)
  execute_process(COMMAND ${CLI} bullets --import ${target} --db ${DB} RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 1 OR NOT err MATCHES "^tarnwick-cli: ${target}: is a (folder|device).*\nnothing was imported\n$")
    message(FATAL_ERROR "bullets --import ${target}: status ${status}\n${err}")
  endif()
endforeach()
