# Tests of src/shell, paths relative to tests/.
vorleth_add_test(shell_core_tests SOURCES
    shell/settingsfile_test.cpp
    shell/startup_test.cpp
    shell/slideshow_test.cpp
    shell/helptexts_test.cpp
    shell/browserlogic_test.cpp
    shell/recovery_test.cpp)
