# Every pixel must match the plain loop bit for bit, so no multiply may be
# fused with an add. The kernel's AVX2 and AVX-512 copies are compiled for
# processors with FMA, and only -ffp-contract=off keeps the compiler from
# fusing: the kernel's, the engine's and the system's object code must hold
# no fused instruction, and must hold the wide vector code, or this check
# would prove nothing. LIBRARIES separates the libraries with "|".
#   cmake -DOBJDUMP=objdump "-DLIBRARIES=libquirl32_kernel.a|libquirl32_system.a" -P kernel_no_fma_test.cmake
string(REPLACE "|" ";" libraries "${LIBRARIES}")
execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${libraries}
                OUTPUT_VARIABLE code RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${LIBRARIES}")
endif()
string(REGEX MATCHALL "[^\n]*[ \t]vfn?m(add|sub)[^\n]*" fused "${code}")
if(fused)
  list(LENGTH fused n)
  list(SUBLIST fused 0 5 shown)
  string(REPLACE ";" "\n" shown "${shown}")
  message(FATAL_ERROR "${n} fused multiply-add instructions, the first:\n${shown}")
endif()
foreach(reg ymm zmm)
  if(NOT code MATCHES "%${reg}[0-9]")
    message(FATAL_ERROR "no ${reg} registers used: the vector kernel is missing")
  endif()
endforeach()
message(STATUS "no fused multiply-add instructions")
