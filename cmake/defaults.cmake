# Settings shared by every target of ours: the oldest Windows headers, so that
# no API newer than Windows 95 / NT 4.0 compiles in, and clean warnings.
# TARNWICK_SOURCE_DIR is the repository's top folder.
option(TARNWICK_WERROR "Treat compiler warnings as errors" ON)

function(tarnwick_defaults target)
  target_compile_definitions(${target} PRIVATE
    WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_WINDOWS=0x0400
    WIN32_LEAN_AND_MEAN NOMINMAX STRICT)
  target_include_directories(${target} PRIVATE ${TARNWICK_SOURCE_DIR})
  target_compile_options(${target} PRIVATE -Wall -Wextra
    $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>)
  if(TARNWICK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
