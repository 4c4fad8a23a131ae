# Reads registry_entries.txt into SHEETPUSH_REGISTRY_ENTRIES, one list item an entry with its
# identities filled in and its four fields still separated by "|". The server writes these
# entries itself and the Windows Installer packages write them from their registry tables.
include(${CMAKE_CURRENT_LIST_DIR}/identities.cmake)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/registry_entries.txt)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/registry_entries.txt SHEETPUSH_REGISTRY_ENTRIES
  REGEX "^[^#]")
string(CONFIGURE "${SHEETPUSH_REGISTRY_ENTRIES}" SHEETPUSH_REGISTRY_ENTRIES @ONLY)
