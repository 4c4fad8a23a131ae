# The release package: a zip with the server, the README, the examples and two command files
# that register and unregister it. The one that ships is the windows-x86 build's.
install(TARGETS Sheetpush RUNTIME DESTINATION .)
install(FILES README.md packaging/register.cmd packaging/unregister.cmd DESTINATION .)
install(DIRECTORY examples/ DESTINATION examples PATTERN CMakeLists.txt EXCLUDE)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Sheetpush)
set(CPACK_PACKAGE_VENDOR Orvand)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
# The debugging information is most of the executable's size; stripping keeps the resources'
# order that Windows' lookup needs.
set(CPACK_STRIP_FILES ON)
include(CPack)
