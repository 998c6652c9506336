# Works out the program's version and writes it for the build:
# OUTPUT_DIR/quivra_version.h (for the code and the version resource) and
# OUTPUT_DIR/quivra_version.txt (for the package's name). Each file is only
# rewritten when its content changes, so an unchanged version rebuilds nothing.
#
# The version is `git describe --tags --always --dirty` of SOURCE_DIR; without
# a git history (a source archive) it is the first line of SOURCE_DIR/VERSION;
# without either it is FALLBACK (the project's version). A describe that names
# no tag (only a commit) is put after FALLBACK: "0.1.0-g1a2b3c4".
#
# Run as: cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -DFALLBACK=x.y.z -P version.cmake

set(version "")
find_program(GIT_EXECUTABLE git)
if(GIT_EXECUTABLE AND EXISTS "${SOURCE_DIR}/.git")
    execute_process(
        COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" describe --tags --always --dirty
        OUTPUT_VARIABLE described
        RESULT_VARIABLE failed
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET)
    if(NOT failed AND described)
        if(described MATCHES "^v?[0-9]+\\.[0-9]+")
            string(REGEX REPLACE "^v" "" version "${described}")
        else()
            set(version "${FALLBACK}-g${described}")
        endif()
    endif()
endif()
if(NOT version AND EXISTS "${SOURCE_DIR}/VERSION")
    file(STRINGS "${SOURCE_DIR}/VERSION" lines LIMIT_COUNT 1)
    string(STRIP "${lines}" version)
    string(REGEX REPLACE "^v" "" version "${version}")
endif()
if(NOT version)
    set(version "${FALLBACK}")
endif()
# The text goes into a file name, a C string and a resource string: a tag
# such as "release/1.0" or a quote in a VERSION file must not break any.
string(REGEX REPLACE "[^0-9A-Za-z._+-]" "-" version "${version}")

# The resource's four numbers: major, minor, patch and the commits since the
# tag ("1.2.3-4-gabc" gives 1,2,3,4); a text without numbers gives FALLBACK's.
set(numbers_of "${version}")
if(NOT numbers_of MATCHES "^[0-9]+\\.[0-9]+")
    set(numbers_of "${FALLBACK}")
endif()
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)(\\.([0-9]+))?(-([0-9]+)-g)?" _ "${numbers_of}")
set(major "${CMAKE_MATCH_1}")
set(minor "${CMAKE_MATCH_2}")
set(patch "${CMAKE_MATCH_4}")
set(commits "${CMAKE_MATCH_6}")
foreach(part major minor patch commits)
    if("${${part}}" STREQUAL "" OR "${${part}}" GREATER 65535)
        set(${part} 0)
    endif()
    math(EXPR ${part} "${${part}}") # "007" is 7
endforeach()

file(CONFIGURE OUTPUT "${OUTPUT_DIR}/quivra_version.h" CONTENT
"// Written by cmake/version.cmake at every build.
#pragma once
#define QUIVRA_VERSION_TEXT \"${version}\"
#define QUIVRA_VERSION_NUMBERS ${major},${minor},${patch},${commits}
")
file(CONFIGURE OUTPUT "${OUTPUT_DIR}/quivra_version.txt" CONTENT "${version}\n")
