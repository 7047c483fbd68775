# Tests of src/search, paths relative to tests/.
vorleth_add_test(search_tests SOURCES search/search_test.cpp search/searchindex_test.cpp)
