# Every module the program loads (its plug-ins, the framework's own) carries its record: an
# information list beside it (name.plist for name.so) with the module file's size and SHA-256,
# which the loader checks before it loads the file.
set(AMBREL_RECORD_MODULE ${CMAKE_CURRENT_LIST_DIR}/WriteModuleRecord.cmake)

# A module's information list with the record alone, for modules that have no bundle information of
# their own; its one field is MODULE_NAME.
set(AMBREL_MODULE_RECORD_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/Module.plist.in)

# ambrel_recorded_module(<target> TEMPLATE <name.plist.in> [DESTINATION <folder>] [FIELDS NAME=value...])
# Writes the record after the link and, given a DESTINATION, installs the module with it, recording
# it anew for the file as installed: an install that strips changes it.
function(ambrel_recorded_module target)
  cmake_parse_arguments(PARSE_ARGV 1 MODULE "" "TEMPLATE;DESTINATION" "FIELDS")
  set(fields)
  foreach(field IN LISTS MODULE_FIELDS)
    list(APPEND fields "-D${field}")
  endforeach()
  set(file $<TARGET_FILE:${target}>)
  # The loader reads the whole file to check it: its debugging information, most of it, moves
  # into name.so.debug beside it, where debuggers find it by the module's link.
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${file} ${file}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=${file}.debug ${file}
    COMMAND ${CMAKE_COMMAND} -DMODULE=${file} -DTEMPLATE=${MODULE_TEMPLATE} ${fields} -P ${AMBREL_RECORD_MODULE}
    VERBATIM)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${MODULE_TEMPLATE} ${AMBREL_RECORD_MODULE})
  if(NOT MODULE_DESTINATION)
    return()
  endif()

  # The list is installed as built, so that the install manifest names it, and then recorded anew
  # for the module as installed (stripped or not).
  install(TARGETS ${target} LIBRARY DESTINATION ${MODULE_DESTINATION})
  install(FILES $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.plist
          DESTINATION ${MODULE_DESTINATION})
  set(quoted)
  foreach(field IN LISTS fields)
    string(APPEND quoted " \"${field}\"")
  endforeach()
  install(CODE "execute_process(COMMAND \"${CMAKE_COMMAND}\"
    \"-DMODULE=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${MODULE_DESTINATION}/$<TARGET_FILE_NAME:${target}>\"
    \"-DTEMPLATE=${MODULE_TEMPLATE}\"${quoted} -P \"${AMBREL_RECORD_MODULE}\" COMMAND_ERROR_IS_FATAL ANY)")
endfunction()
