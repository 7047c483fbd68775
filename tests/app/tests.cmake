vorleth_add_test(cli_tests SOURCES app/cli_test.cpp)
