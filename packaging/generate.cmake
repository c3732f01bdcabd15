# Writes the files the installation adds beside the programs, run by the build after
# trainbook-cli is linked:
#   cmake -DCLI=<trainbook-cli> -DSOURCE=<this folder> -DOUT=<folder> -DVERSION=<x.y.z> -P generate.cmake
# - trainbook-cli.bash: the bash completion script, written by trainbook-cli from its command table;
# - Trainbook.1.gz and trainbook-cli.1.gz: the manual pages, the commands of the second one taken
#   from `trainbook-cli --help` and `trainbook-cli COMMAND --help`;
# - changelog.gz: the release notes.
# Everything is compressed with gzip -9n, so that the same text always gives the same bytes.
foreach(var CLI SOURCE OUT VERSION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

# Runs trainbook-cli with the given words; its standard output in `var`. A sanitizer build
# must not fail the build on the leak check of a program that only printed.
function(run_cli var)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 ${CLI} ${ARGN}
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "trainbook-cli ${ARGN} failed: ${rc}\n${err}")
    endif()
    set(${var} "${out}" PARENT_SCOPE)
endfunction()

# Text as roff input: backslashes and minus signs escaped, no line read as a request.
function(roff var text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${var} "${text}" PARENT_SCOPE)
endfunction()

# Splits `text` at its first line break: the first line in `line`, the rest stays in `text`.
macro(pop_line line text)
    string(FIND "${${text}}" "\n" cut)
    if(cut EQUAL -1)
        set(${line} "${${text}}")
        set(${text} "")
    else()
        string(SUBSTRING "${${text}}" 0 ${cut} ${line})
        math(EXPR cut "${cut} + 1")
        string(SUBSTRING "${${text}}" ${cut} -1 ${text})
    endif()
endmacro()

function(gzip_file source target)
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${target} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "gzip ${source} failed: ${rc}")
    endif()
endfunction()

run_cli(completion --bash-completion)
file(WRITE ${OUT}/trainbook-cli.bash "${completion}")

# The commands, as --help lists them after "commands:", each with its own help: the usage
# lines up to the first blank line, then what the command does.
run_cli(help --help)
string(FIND "${help}" "\ncommands:\n" at)
if(at EQUAL -1)
    message(FATAL_ERROR "trainbook-cli --help lists no commands:\n${help}")
endif()
math(EXPR at "${at} + 11")
string(SUBSTRING "${help}" ${at} -1 rest)
set(TRAINBOOK_COMMANDS "")
while(NOT rest STREQUAL "")
    pop_line(line rest)
    if(NOT line MATCHES "^  ([a-z][a-z0-9-]*)")
        if(line MATCHES "^   ")
            continue() # the summary, continued
        endif()
        break()
    endif()
    set(name ${CMAKE_MATCH_1})
    run_cli(text ${name} --help)
    set(usage "")
    pop_line(line text)
    while(NOT line STREQUAL "")
        string(REGEX REPLACE "^(usage:)? *trainbook-cli \\[--db PATH\\] " "" line "${line}")
        string(APPEND usage "${line}\n")
        pop_line(line text)
    endwhile()
    roff(usage "${usage}")
    roff(summary "${text}")
    string(APPEND TRAINBOOK_COMMANDS ".SS ${name}\n.nf\n${usage}.fi\n")
    if(NOT summary STREQUAL "")
        string(APPEND TRAINBOOK_COMMANDS ".PP\n${summary}")
    endif()
endwhile()
if(TRAINBOOK_COMMANDS STREQUAL "")
    message(FATAL_ERROR "no commands found in trainbook-cli --help:\n${help}")
endif()

# The pages carry the date of the newest release in the changelog.
file(STRINGS ${SOURCE}/changelog dates REGEX "^ -- .*  [A-Z][a-z][a-z], ")
list(GET dates 0 date)
if(NOT date MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "no date in the changelog's newest entry: ${date}")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
    set(month 0${month})
endif()
set(TRAINBOOK_DATE "${year}-${month}-${day}")
set(PROJECT_VERSION ${VERSION})

foreach(page Trainbook.1 trainbook-cli.1)
    file(READ ${SOURCE}/${page}.in text)
    string(CONFIGURE "${text}" text @ONLY)
    file(WRITE ${OUT}/${page} "${text}")
    gzip_file(${OUT}/${page} ${OUT}/${page}.gz)
endforeach()
gzip_file(${SOURCE}/changelog ${OUT}/changelog.gz)
