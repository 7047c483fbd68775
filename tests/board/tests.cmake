vorleth_add_test(playrules_tests SOURCES board/playrules_test.cpp)
