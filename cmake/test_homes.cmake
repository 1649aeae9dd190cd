# SPDX-License-Identifier: GPL-3.0-or-later
# Each test runs with a home folder of its own, so that the wirings kept
# automatically and the exercises in the data folders of one test never
# reach another running beside it (CTest runs them in parallel, and the
# workshop's test runs twice, at two scales, under one program name).
function(ampera_test_homes)
  get_property(tests DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTY TESTS)
  foreach(test ${tests})
    set(home ${CMAKE_CURRENT_BINARY_DIR}/test-homes/${test})
    file(MAKE_DIRECTORY ${home})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "HOME=${home}")
  endforeach()
endfunction()
cmake_language(DEFER CALL ampera_test_homes)
