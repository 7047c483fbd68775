vorleth_add_test(cli_tests SOURCES app/cli_test.cpp)
vorleth_add_test(cli_export_tests SOURCES app/cliexport_test.cpp)
