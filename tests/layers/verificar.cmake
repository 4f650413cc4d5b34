# cmake -DBINARIOS=<build dir> -DSONDAS=<target>=<object>;... -DCONTINUAR=<keep-going flags>
#       -P verificar.cmake
# Builds every probe target; each must fail, and fail on its one include not
# being found (GCC and Clang word it differently).
set(alvos)
set(objetos)
foreach(s ${SONDAS})
  string(REGEX REPLACE "=.*" "" alvo "${s}")
  string(REGEX REPLACE "^[^=]*=" "" objeto "${s}")
  list(APPEND alvos ${alvo})
  list(APPEND objetos ${objeto})
endforeach()
list(LENGTH alvos n)
if(n EQUAL 0)
  message(FATAL_ERROR "no probes")
endif()

file(REMOVE ${objetos})
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARIOS} --target ${alvos} -- ${CONTINUAR}
  RESULT_VARIABLE rc OUTPUT_VARIABLE saida ERROR_VARIABLE saida)

set(falhas)
foreach(alvo objeto IN ZIP_LISTS alvos objetos)
  if(EXISTS ${objeto})
    list(APPEND falhas ${alvo})
  endif()
endforeach()
string(REGEX MATCHALL "[a-z]+/[A-Za-z0-9_/]+\\.h(: No such file or directory|' file not found)"
  faltas "${saida}")
list(LENGTH faltas nfaltas)
message("${nfaltas} of ${n} probes stopped on a header out of their layer:")
foreach(f ${faltas})
  message("  ${f}")
endforeach()
if(falhas)
  message(FATAL_ERROR "compiled, reaching past their layer: ${falhas}")
endif()
if(NOT nfaltas EQUAL n)
  message(FATAL_ERROR "probes failed for another reason:\n${saida}")
endif()
