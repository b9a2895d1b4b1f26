# Writes a module's information list beside it (name.plist for name.so) from its template, with the
# size and SHA-256 of the module file as it now is. Run after every step that changes the file
# (the link, an install that strips): the loader refuses a module whose file does not match its
# record. Any further -D variables fill the template's other @NAME@ fields.
#   cmake -DMODULE=<module> -DTEMPLATE=<name.plist.in> [-DNAME=value...] -P WriteModuleRecord.cmake
foreach(required MODULE TEMPLATE)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "WriteModuleRecord.cmake needs -D${required}=...")
  endif()
endforeach()
file(SIZE "${MODULE}" MODULE_FILE_SIZE)
file(SHA256 "${MODULE}" MODULE_FILE_SHA256)
get_filename_component(folder "${MODULE}" DIRECTORY)
get_filename_component(name "${MODULE}" NAME_WE)
configure_file("${TEMPLATE}" "${folder}/${name}.plist" @ONLY)
