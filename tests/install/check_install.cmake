# Installs the built tree into a staging root and checks that everything a desktop needs is in
# its place and that the installed program starts with the libraries installed beside it.
#   cmake -DBUILD_DIR=<build> -DSTAGE=<empty folder> -DMODE=destdir|deb -DLIBDIR=<private library folder>
#         -DVERSION=<x.y.z> -P check_install.cmake
# destdir: `cmake --install` with DESTDIR and prefix /usr; deb: the package cpack builds,
# unpacked with dpkg-deb.
foreach(var BUILD_DIR STAGE MODE LIBDIR VERSION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

if(MODE STREQUAL "destdir")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
                            ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "cmake --install failed: ${rc}")
    endif()
elseif(MODE STREQUAL "deb")
    execute_process(COMMAND cpack -G DEB -B ${STAGE}/package --config ${BUILD_DIR}/CPackConfig.cmake
                    WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "cpack failed: ${rc}\n${out}")
    endif()
    file(GLOB debs ${STAGE}/package/*.deb)
    list(LENGTH debs count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "expected one package, found: ${debs}")
    endif()
    execute_process(COMMAND dpkg-deb --field ${debs} Package Depends OUTPUT_VARIABLE fields)
    if(NOT fields MATCHES "Package: trainbook" OR NOT fields MATCHES "libqt6widgets6")
        message(FATAL_ERROR "package fields are not as expected:\n${fields}")
    endif()
    execute_process(COMMAND dpkg-deb -x ${debs} ${STAGE} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "dpkg-deb -x failed: ${rc}")
    endif()
else()
    message(FATAL_ERROR "unknown MODE ${MODE}")
endif()

set(id org.trainbook.Trainbook)
set(expected
    usr/bin/Trainbook
    usr/bin/trainbook-cli
    usr/${LIBDIR}/libtriang.so.1
    usr/${LIBDIR}/trainbook-charts.so
    usr/share/applications/${id}.desktop
    usr/share/metainfo/${id}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${id}.svg
    usr/share/man/man1/Trainbook.1.gz
    usr/share/man/man1/trainbook-cli.1.gz
    usr/share/bash-completion/completions/trainbook-cli
    usr/share/doc/trainbook/copyright
    usr/share/doc/trainbook/changelog.gz)
foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
if(EXISTS ${BUILD_DIR}/monthpane)
    list(APPEND expected usr/${LIBDIR}/libmonthpane.so.1)
endif()
foreach(f ${expected})
    if(NOT EXISTS ${STAGE}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()

# The launcher entry starts the installed program by name and shows the installed icon.
file(READ ${STAGE}/usr/share/applications/${id}.desktop entry)
if(NOT entry MATCHES "\nExec=Trainbook\n" OR NOT entry MATCHES "\nIcon=${id}\n")
    message(FATAL_ERROR "the launcher entry does not name the program and its icon:\n${entry}")
endif()

# Every library the program needs is found. The control libraries and the chart module lie in
# their private folder of the staging root itself, where the program loads them from (relative
# to its own folder, not the build tree) when a window first shows one; they find theirs.
execute_process(COMMAND ldd ${STAGE}/usr/bin/Trainbook OUTPUT_VARIABLE libs RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR libs MATCHES "not found")
    message(FATAL_ERROR "the installed program misses libraries:\n${libs}")
endif()
foreach(library libtriang.so.1 libmonthpane.so.1 trainbook-charts.so)
    if(NOT EXISTS ${STAGE}/usr/${LIBDIR}/${library})
        continue()
    endif()
    execute_process(COMMAND ldd ${STAGE}/usr/${LIBDIR}/${library} OUTPUT_VARIABLE libs RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0 OR libs MATCHES "not found" OR NOT libs MATCHES "libQt6Widgets")
        message(FATAL_ERROR "${library} misses libraries:\n${libs}")
    endif()
endforeach()

# The installed command-line tool tells the version it was built as and makes a diary with one
# user (a diary without users would start the program with its question for the first user);
# the installed program opens it, shows its window and quits.
execute_process(COMMAND ${STAGE}/usr/bin/trainbook-cli --version OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT out STREQUAL "trainbook-cli ${VERSION}\n")
    message(FATAL_ERROR "trainbook-cli --version: ${out}")
endif()
foreach(args "init" "sql;INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Pat', True)")
    execute_process(COMMAND ${STAGE}/usr/bin/trainbook-cli --db ${STAGE}/first.db ${args}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "trainbook-cli ${args} failed: ${rc}\n${out}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen TRAINBOOK_QUIT_AFTER_SHOW=1
                        HOME=${STAGE}/home XDG_CONFIG_HOME=${STAGE}/home/.config XDG_DATA_HOME=${STAGE}/home/.local/share
                        ${STAGE}/usr/bin/Trainbook --db ${STAGE}/first.db
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^shown ")
    message(FATAL_ERROR "the installed program did not start: ${rc}\n${out}\n${err}")
endif()
# Each option the installed program lists in its help is in its manual page.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${STAGE}/usr/bin/Trainbook --help
                RESULT_VARIABLE rc OUTPUT_VARIABLE help ERROR_VARIABLE err TIMEOUT 60)
execute_process(COMMAND gzip -dc ${STAGE}/usr/share/man/man1/Trainbook.1.gz OUTPUT_VARIABLE page)
string(REGEX MATCHALL "--[a-z-]+" options "${help}")
if(NOT rc EQUAL 0 OR NOT options)
    message(FATAL_ERROR "Trainbook --help failed: ${rc}\n${help}\n${err}")
endif()
foreach(option ${options})
    string(REPLACE "-" "\\\\-" escaped ${option}) # as roff writes it: \-\-db
    if(NOT page MATCHES "${escaped}([^a-z\\\\]|\\\\[^-])")
        message(FATAL_ERROR "the manual page of Trainbook does not name ${option}")
    endif()
endforeach()
message(STATUS "${MODE}: ${STAGE} holds a working installation")
