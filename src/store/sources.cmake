# Files of src/store, as paths relative to src/.
list(APPEND CORE_SOURCES
    store/recordname.cpp
)
list(APPEND GUI_SOURCES
)
