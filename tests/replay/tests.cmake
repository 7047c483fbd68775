# Tests of src/replay, paths relative to tests/.
vorleth_add_test(replay_tests SOURCES replay/replaycontroller_test.cpp replay/replaygame_test.cpp)
