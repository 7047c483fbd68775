# Tests of src/screens, paths relative to tests/. They run offscreen.
find_package(Qt6 REQUIRED COMPONENTS Test)

vorleth_add_test(countingscreen_tests GUI SOURCES
    screens/counting/countingscreen_test.cpp
    screens/counting/countingexits_test.cpp
    screens/counting/countingguess_test.cpp)

vorleth_add_test(sgfchooser_tests GUI SOURCES screens/import/sgfchooser_test.cpp)
target_link_libraries(sgfchooser_tests PRIVATE Qt6::Test)

vorleth_add_test(recording_screen_tests GUI SOURCES screens/recording/recordingscreens_test.cpp)
target_link_libraries(recording_screen_tests PRIVATE Qt6::Test)
vorleth_add_test(table_entry_screen_tests GUI SOURCES
    screens/recording/tableentryscreen_test.cpp
    screens/recording/tableentryedits_test.cpp
    screens/recording/repeatedplaysscreen_test.cpp
    screens/recording/tablegame_test.cpp)
target_link_libraries(table_entry_screen_tests PRIVATE Qt6::Test)

vorleth_add_test(replay_screen_tests SOURCES screens/replay/replayscreen_test.cpp GUI)
vorleth_add_test(sgfsave_tests SOURCES screens/replay/sgfsave_test.cpp GUI)

vorleth_add_test(shell_screen_tests GUI SOURCES
    screens/shell/screens_test.cpp
    screens/shell/screenfit_test.cpp)
target_link_libraries(shell_screen_tests PRIVATE Qt6::Test)
vorleth_add_test(shell_browser_tests GUI SOURCES screens/shell/browser_test.cpp)
target_link_libraries(shell_browser_tests PRIVATE Qt6::Test)
set_tests_properties(shell_browser_tests PROPERTIES TIMEOUT 180 ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox;QTWEBENGINE_DISABLE_SANDBOX=1")

vorleth_add_test(recordlist_tests SOURCES screens/store/recordlist_test.cpp
    screens/store/recordlistorder_test.cpp GUI)
vorleth_add_test(figureactions_tests SOURCES screens/replay/figureactions_test.cpp GUI)
target_link_libraries(figureactions_tests PRIVATE Qt6::PrintSupport)

vorleth_add_test(search_screen_tests GUI SOURCES
    screens/search/searchresultsscreen_test.cpp
    screens/search/replaysearch_test.cpp
    screens/search/searchhitsmodel_test.cpp)
