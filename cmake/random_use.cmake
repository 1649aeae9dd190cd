# SPDX-License-Identifier: GPL-3.0-or-later
# The random-use test takes its 100,000 learner actions in four shares, each
# from its own seed, registered as four tests so that CTest runs them side by
# side. A sanitizer build, several times slower, takes fewer actions per share.
set(random_use_shards 4)
if(AMPERA_SANITIZE)
  set(random_use_actions 2500)
else()
  set(random_use_actions 25000)
endif()

foreach(shard RANGE 1 ${random_use_shards})
  if(shard EQUAL 1)
    set(test tst_random_use)
  else()
    set(test tst_random_use_${shard})
    # The other test functions run once, with the first share.
    add_test(NAME ${test} COMMAND tst_random_use randomUse)
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
  endif()
  # Qt Test stops a test function after five minutes unless told otherwise;
  # CTest's own timeout is the one that counts.
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
    "AMPERA_RANDOM_SHARD=${shard}/${random_use_shards}"
    "AMPERA_RANDOM_ACTIONS=${random_use_actions}"
    "QTEST_FUNCTION_TIMEOUT=600000")
endforeach()
