# Tests of src/recording, paths relative to tests/.
find_package(Qt6 REQUIRED COMPONENTS Test)
vorleth_add_test(table_entry_screen_tests GUI SOURCES
    recording/tableentryscreen_test.cpp
    recording/tableentryedits_test.cpp
    recording/repeatedplaysscreen_test.cpp
    recording/tablegame_test.cpp)
target_link_libraries(table_entry_screen_tests PRIVATE Qt6::Test)
