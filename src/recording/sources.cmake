# Files of src/recording, as paths relative to src/.
list(APPEND CORE_SOURCES
    recording/composeresult.cpp
)
list(APPEND GUI_SOURCES
)
