# What data/ says of Duruv, each stated there once:
#   DURUV_VERSION, DURUV_RELEASE_DATE (YYYY-MM-DD): the newest entry of
#     data/changelog, which is written by hand;
#   DURUV_COPYRIGHT, the copyright line ("Copyright 2026 ..."), DURUV_PUBLISHER,
#     who holds it, and DURUV_CONTACT, how to reach them: data/copyright;
#   DURUV_LICENCE, the head of the licence text for the packages that carry
#     their own: the name, the version, the line and the terms;
#   what Duruv tells its users, from data/about.txt: DURUV_ID, the name by
#     which desktops and Windows know it; DURUV_SUMMARY, the one line; DURUV_DESCRIPTION, its paragraphs, a blank line between them;
#     DURUV_KEYS and DURUV_ACTIONS, the keys as the tables name them
#     ("Left, Right (held)") and what each does, as two lists in step; and
#     DURUV_BUTTON_<key>, the touch button that stands for a key
#     (DURUV_BUTTON_Left is "Turn left").
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

set(DURUV_DESCRIPTION "")
file(STRINGS ${about_dir}/about.txt lines REGEX "^[^#]")
foreach(line IN LISTS lines)
  if(line MATCHES "^ID: (.+)")
    set(DURUV_ID "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Summary: (.+)")
    set(DURUV_SUMMARY "${CMAKE_MATCH_1}")
  elseif(line STREQUAL " .")
    string(APPEND DURUV_DESCRIPTION "\n")
  elseif(line MATCHES "^ (.+)")
    string(APPEND DURUV_DESCRIPTION "${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^Key: (.+)")
    list(APPEND DURUV_KEYS "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Buttons: (.+)")
    string(REPLACE ", " ";" buttons "${CMAKE_MATCH_1}")
    list(GET DURUV_KEYS -1 keys)
    string(REGEX REPLACE " \\(held\\)$" "" keys "${keys}")
    string(REPLACE ", " ";" keys "${keys}")
    foreach(key button IN ZIP_LISTS keys buttons)
      set(DURUV_BUTTON_${key} "${button}")
    endforeach()
  elseif(line MATCHES "^Does: (.+)")
    list(APPEND DURUV_ACTIONS "${CMAKE_MATCH_1}")
  elseif(NOT line STREQUAL "Description:")
    message(FATAL_ERROR "data/about.txt: a line that is no field: '${line}'")
  endif()
endforeach()
