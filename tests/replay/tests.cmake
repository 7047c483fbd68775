vorleth_add_test(replay_tests SOURCES replay/replaycontroller_test.cpp replay/replaygame_test.cpp)
vorleth_add_test(replay_screen_tests SOURCES replay/replayscreen_test.cpp GUI)
vorleth_add_test(sgfsave_tests SOURCES replay/sgfsave_test.cpp GUI)
