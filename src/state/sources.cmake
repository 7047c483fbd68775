vorleth_layer(state
    LINKS vorleth_recording vorleth_replay vorleth_counting vorleth_import vorleth_export
    SOURCES
    state/sharedstate.cpp
    state/contexts.cpp
)
