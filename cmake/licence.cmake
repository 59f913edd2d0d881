# What data/copyright says of Duruv, for the packages that carry their own
# licence text: DURUV_COPYRIGHT, the copyright line ("Copyright 2026 ..."),
# DURUV_PUBLISHER, who holds it, and DURUV_LICENCE, the head of the text:
# the name, the version, the line and the terms.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/copyright copyright REGEX "^Copyright: " LIMIT_COUNT 1)
string(REPLACE "Copyright: " "Copyright " DURUV_COPYRIGHT "${copyright}")
string(REGEX REPLACE "^Copyright [0-9, -]+ " "" DURUV_PUBLISHER "${DURUV_COPYRIGHT}")
file(READ ${PROJECT_SOURCE_DIR}/data/copyright terms)
string(REGEX REPLACE ".*License: none\n" "" terms "${terms}")
set(DURUV_LICENCE "Duruv ${PROJECT_VERSION}\n${DURUV_COPYRIGHT}.\n${terms}\n")
