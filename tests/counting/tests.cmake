# Tests of src/counting, paths relative to tests/.
vorleth_add_test(territory_tests SOURCES counting/territory_test.cpp)
vorleth_add_test(countresult_tests SOURCES counting/countresult_test.cpp)
vorleth_add_test(correction_tests SOURCES counting/correction_test.cpp)
vorleth_add_test(countdrawing_tests SOURCES counting/countdrawing_test.cpp)
vorleth_add_test(estimate_tests SOURCES counting/estimate_test.cpp)
vorleth_add_test(openborders_tests SOURCES counting/openborders_test.cpp)
vorleth_add_test(lifereading_tests SOURCES counting/lifereading_test.cpp)
