# Tests of src/app, paths relative to tests/.
vorleth_add_test(cli_tests SOURCES app/cli_test.cpp)
vorleth_add_test(cli_export_tests SOURCES app/cliexport_test.cpp)
target_link_libraries(cli_tests PRIVATE vorleth_cli)
target_link_libraries(cli_export_tests PRIVATE vorleth_cli)
vorleth_add_test(cli_search_tests SOURCES app/clisearch_test.cpp)
target_link_libraries(cli_search_tests PRIVATE vorleth_cli)
