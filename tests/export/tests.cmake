# Tests of src/export, paths relative to tests/.
vorleth_add_test(sgfexport_tests SOURCES export/sgfexport_test.cpp)
vorleth_add_test(gamefigure_tests SOURCES export/gamefigure_test.cpp)
