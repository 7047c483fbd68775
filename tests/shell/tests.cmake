# Tests of src/shell, paths relative to tests/.
vorleth_add_test(shell_core_tests SOURCES
    shell/settingsfile_test.cpp
    shell/startup_test.cpp
    shell/slideshow_test.cpp
    shell/helptexts_test.cpp
    shell/browserlogic_test.cpp
    shell/recovery_test.cpp)
vorleth_add_test(shell_screen_tests GUI SOURCES shell/screens_test.cpp)
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(shell_screen_tests PRIVATE Qt6::Test)
vorleth_add_test(shell_browser_tests GUI SOURCES shell/browser_test.cpp)
target_link_libraries(shell_browser_tests PRIVATE Qt6::Test)
set_tests_properties(shell_browser_tests PROPERTIES TIMEOUT 180 ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox;QTWEBENGINE_DISABLE_SANDBOX=1")
