vorleth_layer(replay LINKS vorleth_interaction SOURCES
    replay/replaycontroller.cpp
)
