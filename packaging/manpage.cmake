# Writes the manual page: the template with the controls table of the README
# turned into roff, dated and versioned by the changelog's newest entry.
# Stops the build when the changelog, the AppStream release and the project
# version name different releases, or when the README has no controls table.
#   cmake -DREADME=... -DTEMPLATE=... -DCHANGELOG=... -DMETAINFO=...
#         -DVERSION=... -DOUTPUT=... -P manpage.cmake
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${CHANGELOG} entry LIMIT_COUNT 1)
file(STRINGS ${CHANGELOG} signature REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX MATCH "\\(([^)]+)\\)" _ "${entry}")
set(VORLAXIS_VERSION ${CMAKE_MATCH_1})
string(REGEX MATCH ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) " _ "${signature}")
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
string(REGEX REPLACE "^([0-9])$" "0\\1" month ${month})
set(VORLAXIS_DATE "${year}-${month}-${day}")

file(READ ${METAINFO} metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\" date=\"([^\"]*)\"" _ "${metainfo}")
if(NOT VORLAXIS_VERSION STREQUAL VERSION OR NOT CMAKE_MATCH_1 STREQUAL VERSION
   OR NOT CMAKE_MATCH_2 STREQUAL VORLAXIS_DATE)
    message(FATAL_ERROR "Release ${VERSION}: the changelog names ${VORLAXIS_VERSION} of "
                        "${VORLAXIS_DATE}, the AppStream metadata ${CMAKE_MATCH_1} of ${CMAKE_MATCH_2}")
endif()

# The table's rows: a bold group title becomes a subsection, any other row a
# tagged paragraph of input and action.
file(READ ${README} readme)
string(REGEX MATCH "\n## Controls\n.*" controls "${readme}")
string(REGEX REPLACE "(.)\n## .*" "\\1" controls "${controls}")
# Semicolons in cells would split CMake's list of rows: they travel as a
# control character and come back at the end.
string(ASCII 31 semicolon)
string(REPLACE ";" "${semicolon}" controls "${controls}")
string(REGEX MATCHALL "\n\\|[^\n]*\\|" rows "${controls}")
set(VORLAXIS_CONTROLS "")
foreach(row IN LISTS rows)
    string(REGEX MATCH "^\n\\| *(.*[^ ]) *\\| *(.*[^ ]|) *\\|$" _ "${row}")
    set(input "${CMAKE_MATCH_1}")
    set(action "${CMAKE_MATCH_2}")
    if(input MATCHES "^(Input|-+)$")
        continue()
    endif()
    string(REPLACE "`" "" input "${input}")
    string(REPLACE "−" "\\-" input "${input}")
    string(REPLACE "…" "\\&..." input "${input}")
    string(REPLACE "±" "\\(+-" action "${action}")
    if(input MATCHES "^\\*\\*(.*)\\*\\*$")
        string(APPEND VORLAXIS_CONTROLS ".SS ${CMAKE_MATCH_1}\n")
    else()
        string(APPEND VORLAXIS_CONTROLS ".TP\n\\fB${input}\\fR\n${action}\n")
    endif()
endforeach()
if(NOT VORLAXIS_CONTROLS MATCHES "\\.TP")
    message(FATAL_ERROR "${README} has no controls table under \"## Controls\"")
endif()
string(REGEX REPLACE "\n$" "" VORLAXIS_CONTROLS "${VORLAXIS_CONTROLS}")
string(REPLACE "${semicolon}" ";" VORLAXIS_CONTROLS "${VORLAXIS_CONTROLS}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
