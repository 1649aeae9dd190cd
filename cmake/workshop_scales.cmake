# The workshop's window test runs a second time at 200 % scaling, where every
# position of a press and every drawn pixel is mapped through the device
# pixel ratio.
add_test(NAME tst_workshop_200 COMMAND tst_workshop)
set_tests_properties(tst_workshop_200 PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2" TIMEOUT 600)
