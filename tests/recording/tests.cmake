# Tests of src/recording, paths relative to tests/.
vorleth_add_test(recording_tests SOURCES
    recording/gameinfo_test.cpp
    recording/boardrecording_test.cpp
    recording/boardbuttons_test.cpp
    recording/endofgame_test.cpp)
vorleth_add_test(random_roads_tests SOURCES recording/randomroads_test.cpp)
