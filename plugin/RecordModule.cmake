# Writes the module's bundle information list beside it, with the size and SHA-256 of the module
# file as it now is. Run after every step that changes the file (the link, an install that
# strips): the host refuses a module whose file does not match its record.
#   cmake -DMODULE=<module> -DTEMPLATE=<Tolvane.plist.in> -DTOLVANE_VERSION=<version> -P RecordModule.cmake
foreach(required MODULE TEMPLATE TOLVANE_VERSION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "RecordModule.cmake needs -D${required}=...")
  endif()
endforeach()
file(SIZE "${MODULE}" MODULE_FILE_SIZE)
file(SHA256 "${MODULE}" MODULE_FILE_SHA256)
get_filename_component(folder "${MODULE}" DIRECTORY)
get_filename_component(name "${MODULE}" NAME_WE)
configure_file("${TEMPLATE}" "${folder}/${name}.plist" @ONLY)
