# Tests of src/import, paths relative to tests/.
vorleth_add_test(sgf_tests SOURCES import/sgf_test.cpp)
vorleth_add_test(sgfimport_tests SOURCES import/sgfimport_test.cpp)
vorleth_add_test(tableimport_tests SOURCES import/tableimport_test.cpp import/mailtext_test.cpp)
vorleth_add_test(sgfencoding_tests SOURCES import/sgfencoding_test.cpp)
