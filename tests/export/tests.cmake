# Tests of src/export, paths relative to tests/.
vorleth_add_test(sgfexport_tests SOURCES export/sgfexport_test.cpp)
