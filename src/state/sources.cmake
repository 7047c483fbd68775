vorleth_layer(state
    LINKS vorleth_recording vorleth_replay vorleth_counting vorleth_import vorleth_export
        vorleth_search
    SOURCES
    state/sharedstate.cpp
    state/contexts.cpp
)
