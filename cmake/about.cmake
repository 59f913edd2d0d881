# What data/ says of Duruv, each stated there once:
#   DURUV_VERSION, DURUV_RELEASE_DATE (YYYY-MM-DD): the newest entry of
#     data/changelog, which is written by hand;
#   DURUV_COPYRIGHT, the copyright line ("Copyright 2026 ..."), DURUV_PUBLISHER,
#     who holds it, and DURUV_CONTACT, how to reach them: data/copyright;
#   DURUV_LICENCE, the head of the licence text for the packages that carry
#     their own: the name, the version, the line and the terms.
set(about_dir ${CMAKE_CURRENT_LIST_DIR}/../data)

file(STRINGS ${about_dir}/changelog newest LIMIT_COUNT 1)
string(REGEX REPLACE "^duruv \\(([^)]+)\\).*" "\\1" DURUV_VERSION "${newest}")
file(STRINGS ${about_dir}/changelog signed REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX MATCH ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) " _ "${signed}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
math(EXPR month "${month} + 1")
string(LENGTH "${month}" digits)
if(digits EQUAL 1)
  set(month 0${month})
endif()
set(DURUV_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

file(STRINGS ${about_dir}/copyright contact REGEX "^Upstream-Contact: " LIMIT_COUNT 1)
string(REPLACE "Upstream-Contact: " "" DURUV_CONTACT "${contact}")
file(STRINGS ${about_dir}/copyright copyright REGEX "^Copyright: " LIMIT_COUNT 1)
string(REPLACE "Copyright: " "Copyright " DURUV_COPYRIGHT "${copyright}")
string(REGEX REPLACE "^Copyright [0-9, -]+ " "" DURUV_PUBLISHER "${DURUV_COPYRIGHT}")
file(READ ${about_dir}/copyright terms)
string(REGEX REPLACE ".*License: none\n" "" terms "${terms}")
set(DURUV_LICENCE "Duruv ${DURUV_VERSION}\n${DURUV_COPYRIGHT}.\n${terms}\n")
