# SPDX-License-Identifier: GPL-3.0-or-later
# Optimised builds are hardened: a position-independent executable, its
# relocations resolved at start and then made read-only (full RELRO), a
# stack canary in every function with a local buffer, and glibc's checked
# variants of the string and memory functions where a buffer's size is known.
# The sanitizer build goes without: the sanitizers check the same faults more
# closely, and fortified calls would hide some accesses from them. These are
# ELF's protections; on Windows, mingw-w64's linker marks executables for
# address randomisation and no-execute data by default.
option(AMPERA_HARDEN "Harden optimised builds" ON)

set(AMPERA_HARDENED OFF)
if(AMPERA_HARDEN AND NOT AMPERA_SANITIZE AND NOT WIN32
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  set(AMPERA_HARDENED ON)
  # Undefined first, so a toolchain that already defines the macro does not
  # see it defined twice.
  add_compile_options(-fstack-protector-strong -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
  add_link_options(-Wl,-z,relro,-z,now
                   "$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:-pie>")
endif()

# The hardening test reads the program's headers, and those of a small
# program built twice: with the options every target gets here, and with
# every protection switched off.
function(ampera_hardening_test)
  if(NOT TARGET tst_hardening)
    return()
  endif()
  add_executable(local_buffer_hardened tests/build_checks/local_buffer.cpp)
  add_executable(local_buffer_plain tests/build_checks/local_buffer.cpp)
  set_target_properties(local_buffer_hardened local_buffer_plain PROPERTIES AUTOMOC OFF)
  # The plain build's own options replace the ones every other target gets.
  set_target_properties(local_buffer_plain PROPERTIES
    COMPILE_OPTIONS "-fno-pie;-fno-stack-protector"
    LINK_OPTIONS "-no-pie;-Wl,-z,norelro,-z,lazy")
  target_compile_definitions(tst_hardening PRIVATE
    AMPERA_PROGRAM="$<TARGET_FILE:ampera>"
    HARDENED_BUFFER_PROGRAM="$<TARGET_FILE:local_buffer_hardened>"
    PLAIN_BUFFER_PROGRAM="$<TARGET_FILE:local_buffer_plain>")
  add_dependencies(tst_hardening ampera local_buffer_hardened local_buffer_plain)
  # Only an optimised build is hardened; elsewhere the test is listed as
  # not run rather than passed.
  if(NOT AMPERA_HARDENED)
    set_tests_properties(tst_hardening PROPERTIES DISABLED ON)
  endif()
endfunction()
cmake_language(DEFER CALL ampera_hardening_test)
