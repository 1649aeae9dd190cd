# SPDX-License-Identifier: GPL-3.0-or-later
# Tests that run again at 150 % or 200 % scaling, where every position of a
# press and every drawn pixel is mapped through the device pixel ratio: the
# forms layer's pictures must stay 1:1 in device pixels, and the workshop's
# presses and conductor colours must land where they are drawn, and a
# worksheet must not depend on the screen it was made from.
function(ampera_scaled_test test percent)
  math(EXPR whole "${percent} / 100")
  math(EXPR part "${percent} % 100")
  add_test(NAME ${test}_${percent} COMMAND ${test})
  set_tests_properties(${test}_${percent} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${whole}.${part}" TIMEOUT 600)
endfunction()

ampera_scaled_test(tst_forms 150)
ampera_scaled_test(tst_forms 200)
ampera_scaled_test(tst_workshop 200)
ampera_scaled_test(tst_workshop_screens 200)
ampera_scaled_test(tst_worksheets 200)
