# Files of src/recording, as paths relative to src/.
list(APPEND CORE_SOURCES
    recording/tableentry.cpp
    recording/repeatedplays.cpp
)
list(APPEND GUI_SOURCES
    recording/tableentryscreen.cpp
    recording/repeatedplaysscreen.cpp
)
