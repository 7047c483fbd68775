# Tests of src/store, paths relative to tests/.
vorleth_add_test(catalogue_tests SOURCES store/catalogue_test.cpp store/cataloguescan_test.cpp
    store/cataloguenameorder_test.cpp)
vorleth_add_test(chooser_tests SOURCES store/chooser_test.cpp)
vorleth_add_test(recordlist_controller_tests SOURCES store/recordlist_test.cpp)
vorleth_add_test(record_tests SOURCES store/record_test.cpp store/workingfiles_test.cpp
    store/textfile_test.cpp store/recoveryfile_test.cpp)
