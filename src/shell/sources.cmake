# Files of src/shell, as paths relative to src/.
list(APPEND CORE_SOURCES
    shell/sharedstate.cpp
)
list(APPEND GUI_SOURCES
)
