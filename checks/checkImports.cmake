# Reads a program's import table with objdump and checks it.
#   -DOBJDUMP=...    objdump for the program's architecture
#   -DPROGRAM=...    the .exe to read
#   -DALLOWED=...    optional: a list of "dll function" lines; anything else
#                    imported fails the check
#   -DFORBIDDEN=...  optional: functions ("dll function") that must not be
#                    imported at all, because they are bound on first use
#   -DREQUIRED=...   optional: functions ("dll function;dll function") that
#                    must be imported
#   -DSUBSYSTEM=4.0  optional: the subsystem version the program must ask for
cmake_minimum_required(VERSION 3.20)

if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "No program at ${PROGRAM}: build it first")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${PROGRAM}")
endif()

function(read_list file out)
  file(STRINGS "${file}" lines)
  set(entries "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    string(REGEX REPLACE "[ \t]+" " " line "${line}")
    string(TOLOWER "${line}" line)
    list(APPEND entries "${line}")
  endforeach()
  set(${out} "${entries}" PARENT_SCOPE)
endfunction()

# "dll function" for every import, dll names in lower case.
string(REPLACE ";" "\\;" dump "${dump}")
string(REPLACE "\n" ";" dumpLines "${dump}")
set(imports "")
set(dll "")
foreach(line IN LISTS dumpLines)
  if(line MATCHES "DLL Name: *([^ \t]+)")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
  elseif(line MATCHES "^[ \t]*$" OR line MATCHES "^[^ \t]")
    # a blank line or a new heading ends a DLL's list
    if(NOT line MATCHES "^[ \t]*vma:")
      set(dll "")
    endif()
  elseif(NOT dll STREQUAL "" AND line MATCHES "^[ \t]+[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+([^ \t]+)")
    string(TOLOWER "${dll} ${CMAKE_MATCH_1}" entry)
    list(APPEND imports "${entry}")
  endif()
endforeach()
list(LENGTH imports count)
if(count EQUAL 0)
  message(FATAL_ERROR "No imports found in ${PROGRAM}: the objdump output was not understood")
endif()

set(failures "")
if(DEFINED ALLOWED)
  read_list("${ALLOWED}" allowed)
  foreach(entry IN LISTS imports)
    if(NOT entry IN_LIST allowed)
      list(APPEND failures "not on the allowed list: ${entry}")
    endif()
  endforeach()
endif()
if(DEFINED FORBIDDEN)
  read_list("${FORBIDDEN}" forbidden)
  foreach(entry IN LISTS forbidden)
    # Forbidden whichever DLL would supply it.
    string(REGEX REPLACE "^[^ ]+ " "" function "${entry}")
    foreach(import IN LISTS imports)
      string(REGEX REPLACE "^[^ ]+ " "" imported "${import}")
      if(imported STREQUAL function)
        list(APPEND failures "bound on first use, yet imported: ${import}")
      endif()
    endforeach()
  endforeach()
endif()
foreach(entry IN LISTS REQUIRED)
  string(TOLOWER "${entry}" entry)
  if(NOT entry IN_LIST imports)
    list(APPEND failures "not imported: ${entry}")
  endif()
endforeach()
if(DEFINED SUBSYSTEM)
  string(REPLACE "." ";" version "${SUBSYSTEM}")
  list(GET version 0 major)
  list(GET version 1 minor)
  if(NOT dump MATCHES "MajorSubsystemVersion[ \t]+${major}[^0-9]" OR
     NOT dump MATCHES "MinorSubsystemVersion[ \t]+${minor}[^0-9]")
    list(APPEND failures "subsystem version is not ${SUBSYSTEM}")
  endif()
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${PROGRAM}:\n  ${text}")
endif()
message(STATUS "${PROGRAM}: ${count} imports checked")
