# SPDX-License-Identifier: GPL-3.0-or-later
# A checking build: AddressSanitizer (with LeakSanitizer) and
# UndefinedBehaviorSanitizer compiled into every target, so the whole test
# suite runs under them. Any report ends the test program with a failure.
# Qt's libraries need no suppressions: the whole suite runs clean.
option(AMPERA_SANITIZE "Build with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer" OFF)

if(AMPERA_SANITIZE)
  # -O1 keeps the instrumented suite quick enough to run in full while the
  # frame pointers keep every report's stack readable.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined)

  # Applied once every test is registered: the sanitizers' run-time options
  # go into each test's environment next to the platform it runs on, and
  # three probes show that each check reports what it should.
  function(ampera_sanitize_tests)
    if(NOT BUILD_TESTING)
      return()
    endif()
    add_executable(sanitizer_probe tests/sanitizers/probe.cpp)
    set_target_properties(sanitizer_probe PROPERTIES AUTOMOC OFF)
    foreach(probe "leak=LeakSanitizer: detected memory leaks"
                  "use-after-free=AddressSanitizer: heap-use-after-free"
                  "overflow=runtime error: signed integer overflow")
      string(REGEX MATCH "^[^=]+" fault "${probe}")
      string(REGEX REPLACE "^[^=]+=" "" report "${probe}")
      add_test(NAME sanitizer_reports_${fault} COMMAND sanitizer_probe ${fault})
      set_tests_properties(sanitizer_reports_${fault} PROPERTIES PASS_REGULAR_EXPRESSION "${report}")
    endforeach()

    get_property(tests DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTY TESTS)
    set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT
      "ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
      # Instrumented, a test function may need more than Qt Test's default
      # five minutes; CTest's own timeout is the one that counts.
      "QTEST_FUNCTION_TIMEOUT=1200000")
    # Every allocation is recorded with its stack, which makes the thousand
    # overload cycles, and the rest, several times slower than in a release build.
    set_tests_properties(${tests} PROPERTIES TIMEOUT 1200)
  endfunction()
  cmake_language(DEFER CALL ampera_sanitize_tests)
endif()
