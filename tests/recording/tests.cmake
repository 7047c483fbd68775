find_package(Qt6 REQUIRED COMPONENTS Test)
# Tests of src/recording, paths relative to tests/.
vorleth_add_test(recording_tests SOURCES
    recording/gameinfo_test.cpp
    recording/boardrecording_test.cpp
    recording/boardbuttons_test.cpp
    recording/endofgame_test.cpp)
vorleth_add_test(recording_screen_tests GUI SOURCES recording/recordingscreens_test.cpp)
target_link_libraries(recording_screen_tests PRIVATE Qt6::Test)
vorleth_add_test(table_entry_screen_tests GUI SOURCES
    recording/tableentryscreen_test.cpp
    recording/tableentryedits_test.cpp
    recording/repeatedplaysscreen_test.cpp
    recording/tablegame_test.cpp)
target_link_libraries(table_entry_screen_tests PRIVATE Qt6::Test)
