# Files of src/state, as paths relative to src/.
list(APPEND CORE_SOURCES
    state/sharedstate.cpp
    state/contexts.cpp
)
list(APPEND GUI_SOURCES
)
