# Disassembles a 32-bit program with objdump and fails on any instruction
# that a 386 without a coprocessor does not have: the program must run on
# every processor that Windows 95 and Windows NT 4.0 run on, the 386DX and
# the 486SX, which have no floating-point unit, among them.
#   -DOBJDUMP=...   objdump for 32-bit Windows programs
#   -DPROGRAM=...   the .exe (or an object file) to read, with its symbols:
#                   the linker puts the tables of static constructors and
#                   destructors (__CTOR_LIST__, __DTOR_LIST__) among the
#                   code, and their addresses read as instructions of any
#                   kind, so those tables are passed over
#
# Refused: every x87 floating-point instruction, which objdump names with an
# "f" in front (fld, fstp, fild, fadd, fcom, fnstsw, fcmov, fcomi, fxsave,
# fwait...; "fs" alone is the segment prefix, not an instruction); the Pentium
# Pro's conditional moves (cmov) and its long nop (nopw, nopl, which compilers
# use as padding); the 486's bswap, cmpxchg and xadd; the Pentium's cmpxchg8b,
# rdtsc and cpuid; the model-specific rdmsr, wrmsr, rdpmc, sysenter and
# sysexit; and any MMX or SSE instruction or register.
cmake_minimum_required(VERSION 3.20)

if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "No program at ${PROGRAM}: build it first")
endif()
execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn -C ${PROGRAM}
                OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${PROGRAM}")
endif()

set(mnemonics "f([a-rt-z0-9][a-z0-9]*|s[a-z0-9]+)|wait")
string(APPEND mnemonics "|cmov[a-z]+|nop[wl]|bswap|cmpxchg(8b)?|xadd[bwl]?|rdtsc|cpuid")
string(APPEND mnemonics "|rdmsr|wrmsr|rdpmc|sysenter|sysexit")
string(APPEND mnemonics "|emms|[lms]fence|ldmxcsr|stmxcsr|prefetch[a-z0-9]*")
string(APPEND mnemonics "|clflush|movnti|maskmovq")
# An instruction line: address, tab, optional prefixes, the mnemonic.
set(prefixes "((lock|rep[a-z]*|data16|addr16|[c-gs]s) +)*")
set(forbidden "^ *[0-9a-f]+:\t${prefixes}(${mnemonics})( |\t|$)")
set(mmxOrSseRegister "%[xyz]?mm[0-9]")

# One line per list element; brackets (from names such as operator[]) and
# semicolons would upset CMake's lists.
string(REPLACE "[" "(" dump "${dump}")
string(REPLACE "]" ")" dump "${dump}")
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

set(symbol "")
set(instructions 0)
set(failures "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-f]+ <(.*)>:$")
    set(symbol "${CMAKE_MATCH_1}")
  elseif(symbol MATCHES "^_*[CD]TOR_LIST__$")
    # a table of addresses, not code
  elseif(line MATCHES "^ *[0-9a-f]+:\t")
    math(EXPR instructions "${instructions} + 1")
    if(line MATCHES "${forbidden}" OR line MATCHES "${mmxOrSseRegister}")
      string(STRIP "${line}" line)
      string(REPLACE "\t" " " line "${line}")
      if(symbol STREQUAL "")
        list(APPEND failures "${line}")  # a program without symbols
      else()
        list(APPEND failures "in ${symbol}: ${line}")
      endif()
    endif()
  endif()
endforeach()
if(instructions EQUAL 0)
  message(FATAL_ERROR "No instructions found in ${PROGRAM}: the objdump output was not understood")
endif()

if(failures)
  list(LENGTH failures count)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${PROGRAM}: beyond a 386 without a coprocessor (${count}):\n  ${text}")
endif()
message(STATUS "${PROGRAM}: ${instructions} instructions checked, none beyond a 386 without a coprocessor")
