# Builds the Debian package from the build tree and checks it with lintian. Any error or
# warning fails, unless the package's override file (packaging/lintian-overrides, installed as
# /usr/share/lintian/overrides/trainbook) overrides it, each override under a comment that says why.
#   cmake -DBUILD_DIR=<build> -DSTAGE=<empty folder> -DOVERRIDES=<override file> -P check_lintian.cmake
find_program(LINTIAN lintian)
if(NOT LINTIAN)
    message(FATAL_ERROR "lintian is not installed (scripts/deps.sh installs it)")
endif()

if(EXISTS ${OVERRIDES})
    file(STRINGS ${OVERRIDES} lines)
    set(previous "")
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "^#" AND NOT previous MATCHES "^#")
            message(FATAL_ERROR "a lintian override without a comment saying why: ${line}")
        endif()
        set(previous "${line}")
    endforeach()
endif()

file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND cpack -G DEB -B ${STAGE} --config ${BUILD_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${STAGE}/*.deb)
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack failed (${rc}) or made other than one package (${debs}):\n${out}")
endif()

execute_process(COMMAND ${LINTIAN} --fail-on error,warning --info --no-tag-display-limit ${debs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian found problems (${rc}):\n${out}${err}")
endif()
message(STATUS "lintian: no errors or warnings; notes:\n${out}")
