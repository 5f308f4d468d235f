# Reads a program's resources back with windres and compares its version
# with the file VERSION, the one place the version is kept.
#   -DWINDRES=...            windres for the program's architecture
#   -DPROGRAM=...            the .exe to read
#   -DVERSION_FILE=...       the file VERSION
#   -DORIGINAL_FILENAME=...  the name the program ships under
#
# The FileVersion and ProductVersion strings must be the file's text as it
# stands (without its line end); the numeric FILEVERSION and PRODUCTVERSION
# fields and the manifest's assembly version are its parts, filled up with
# zeros to four.
cmake_minimum_required(VERSION 3.20)

if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "No program at ${PROGRAM}: build it first")
endif()
file(READ "${VERSION_FILE}" version)
string(REGEX REPLACE "\r?\n$" "" version "${version}")
string(REPLACE "." ";" parts "${version}")
list(LENGTH parts count)
while(count LESS 4)
  list(APPEND parts 0)
  math(EXPR count "${count} + 1")
endwhile()
list(JOIN parts "," fields)
list(JOIN parts "." assemblyVersion)

execute_process(COMMAND ${WINDRES} -i ${PROGRAM} -O rc
                OUTPUT_VARIABLE resources RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${WINDRES} could not read the resources of ${PROGRAM}")
endif()

set(failures "")
# expect(what pattern expected): the first group of pattern in the resources
# must be the expected text.
function(expect what pattern expected)
  if(NOT resources MATCHES "${pattern}")
    set(failures "${failures}\n  no ${what}" PARENT_SCOPE)
    return()
  endif()
  string(REPLACE " " "" found "${CMAKE_MATCH_1}")
  if(NOT found STREQUAL expected)
    set(failures "${failures}\n  ${what} is \"${found}\", not \"${expected}\"" PARENT_SCOPE)
  endif()
endfunction()

expect(FILEVERSION "\n *FILEVERSION ([0-9, ]+)\n" "${fields}")
expect(PRODUCTVERSION "\n *PRODUCTVERSION ([0-9, ]+)\n" "${fields}")
expect(FileVersion "VALUE \"FileVersion\", \"([^\"]*)\"" "${version}")
expect(ProductVersion "VALUE \"ProductVersion\", \"([^\"]*)\"" "${version}")
expect(OriginalFilename "VALUE \"OriginalFilename\", \"([^\"]*)\"" "${ORIGINAL_FILENAME}")
# windres writes the manifest as a string, its quotes doubled.
expect("manifest's assembly version"
       "assemblyIdentity type=\"\"win32\"\" name=\"\"Tarnwick.Tarnwick\"\" version=\"\"([^\"]*)\"\""
       "${assemblyVersion}")

if(failures)
  message(FATAL_ERROR "${PROGRAM}:${failures}")
endif()
message(STATUS "${PROGRAM}: version ${version} (${fields}), shipped as ${ORIGINAL_FILENAME}")
