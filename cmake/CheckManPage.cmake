# Fails when a program's --help and its manual page name different options
# or commands, so that the page is kept in step with the program.
#   cmake -DPROGRAM=<exe> -DPAGE=<page.1> [-DEXTRA=--help,--version] -P CheckManPage.cmake
# EXTRA: options the page documents that the usage text leaves out.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
file(READ ${PAGE} page)
string(REPLACE "\\-" "-" page "${page}")
string(REGEX REPLACE "\\\\f[BIRP]" "" page "${page}")

# Long options anywhere in the text.
string(REGEX MATCHALL "--[a-z][a-z0-9-]*" help_options "${help}")
string(REGEX MATCHALL "--[a-z][a-z0-9-]*" page_options "${page}")
string(REPLACE "," ";" extra "${EXTRA}")
list(APPEND help_options ${extra})

# Commands: a usage line "  word ARG..." in the help; an entry ".TP / .B word"
# of the page's COMMANDS or MODES section.
string(REGEX MATCHALL "\n  [a-z][a-z-]* +[-A-Z0-9]" lines "${help}")
set(help_commands "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^\n  ([a-z-]+).*" "\\1" word "${line}")
  list(APPEND help_commands ${word})
endforeach()
set(page_commands "")
if(page MATCHES "\n\\.SH (COMMANDS|MODES)\n(.*)")
  string(REGEX REPLACE "\n\\.SH .*" "" section "${CMAKE_MATCH_2}")
  string(REGEX MATCHALL "\\.TP\n\\.B [a-z][a-z-]*" entries "${section}")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^\\.TP\n\\.B " "" word "${entry}")
    list(APPEND page_commands ${word})
  endforeach()
endif()

set(problems "")
foreach(kind options commands)
  foreach(side help page)
    list(REMOVE_DUPLICATES ${side}_${kind})
    list(SORT ${side}_${kind})
  endforeach()
  if(NOT help_${kind} STREQUAL page_${kind})
    string(APPEND problems "\n  ${kind} in --help: ${help_${kind}}\n  ${kind} in ${PAGE}: ${page_${kind}}")
  endif()
endforeach()
if(problems)
  message(FATAL_ERROR "${PROGRAM} --help and its manual page differ:${problems}")
endif()
