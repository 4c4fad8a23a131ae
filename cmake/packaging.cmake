# The release packages of a Windows build: a zip (cpack) with the server, the README with the
# picture it shows, the changelog, the examples, the C/C++ declarations and two command files
# that register and unregister it; and a Windows Installer package (target msi) with the server,
# the README, its picture, the changelog and the examples, which registers the server from its own
# registry table.
install(TARGETS Sheetpush RUNTIME DESTINATION . COMPONENT program)
install(FILES README.md CHANGELOG.md DESTINATION . COMPONENT program)
install(FILES docs/window.png DESTINATION docs COMPONENT program)
install(DIRECTORY examples/ DESTINATION examples COMPONENT program PATTERN CMakeLists.txt EXCLUDE)
install(FILES packaging/register.cmd packaging/unregister.cmd DESTINATION . COMPONENT zip)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Sheetpush)
set(CPACK_PACKAGE_VENDOR Orvand)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
  set(SHEETPUSH_MSI_PROGRAM_FILES ProgramFiles64Folder)
  set(msi_arch x64)
  set(msi_files_win64 yes)
  # A 64-bit package writes each registry view from a component of that bitness.
  set(msi_views 64 32)
else()
  set(CPACK_SYSTEM_NAME win32)
  set(SHEETPUSH_MSI_PROGRAM_FILES ProgramFilesFolder)
  set(msi_arch x86)
  set(msi_files_win64 no)
  # A 32-bit package cannot hold 64-bit components: it writes the 32-bit view alone.
  set(msi_views 32)
endif()
# The debugging information is most of the executable's size; stripping keeps the resources'
# order that Windows' lookup needs.
set(CPACK_STRIP_FILES ON)
include(CPack)

include(src/com/registry_entries.cmake)
# The server's registry entries as the package's registry values, one component for each view.
set(registry_values "")
foreach(entry IN LISTS SHEETPUSH_REGISTRY_ENTRIES)
  string(REPLACE "<server>" "[INSTALLDIR]$<TARGET_FILE_NAME:Sheetpush>" entry "${entry}")
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 tree)
  list(GET fields 1 key)
  list(GET fields 2 name)
  list(GET fields 3 data)
  set(path "Software\\Classes\\${tree}")
  if(NOT key STREQUAL "")
    string(APPEND path "\\${key}")
  endif()
  string(REPLACE "\"" "&quot;" data "${data}")
  string(APPEND registry_values "        <RegistryValue Root=\"HKLM\" Key=\"${path}\" "
    "Name=\"${name}\" Type=\"string\" Value=\"${data}\"/>\n")
endforeach()
set(registry_components "")
set(registry_references "")
foreach(view IN LISTS msi_views)
  if(view EQUAL 64)
    set(win64 yes)
  else()
    set(win64 no)
  endif()
  string(APPEND registry_components
    "      <Component Id=\"Registry${view}\" Guid=\"*\" Win64=\"${win64}\">\n"
    "${registry_values}      </Component>\n")
  string(APPEND registry_references "      <ComponentRef Id=\"Registry${view}\"/>\n")
endforeach()
set(msi_dir ${CMAKE_BINARY_DIR}/msi)
file(GENERATE OUTPUT ${msi_dir}/msi-registry.wxs CONTENT
"<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Fragment>
    <DirectoryRef Id=\"INSTALLDIR\">
${registry_components}    </DirectoryRef>
    <ComponentGroup Id=\"Registry\">
${registry_references}    </ComponentGroup>
  </Fragment>
</Wix>
")
configure_file(packaging/sheetpush.wxs.in ${msi_dir}/sheetpush.wxs @ONLY)

find_program(SHEETPUSH_WIXL wixl REQUIRED)
find_program(SHEETPUSH_WIXL_HEAT wixl-heat REQUIRED)
set(msi ${CMAKE_BINARY_DIR}/Sheetpush-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}.msi)
# wixl finds the files only by paths relative to its working folder.
add_custom_target(msi
  COMMAND ${CMAKE_COMMAND} -E rm -rf stage
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix stage --component program --strip
  COMMAND bash -c "cd stage && find . -type f | LC_ALL=C sort | \"$0\" -p ./ --win64 --directory-ref INSTALLDIR --component-group Program --var var.Stage >../msi-files.wxs" ${SHEETPUSH_WIXL_HEAT}
  COMMAND ${SHEETPUSH_WIXL} -a ${msi_arch} -D Stage=stage -D Win64=${msi_files_win64} -o ${msi}
          sheetpush.wxs msi-registry.wxs msi-files.wxs
  WORKING_DIRECTORY ${msi_dir}
  BYPRODUCTS ${msi}
  COMMENT "Building ${msi}"
  VERBATIM)
add_dependencies(msi Sheetpush)
