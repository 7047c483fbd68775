# Files of src/recording, as paths relative to src/.
list(APPEND CORE_SOURCES
    recording/gameinfocontroller.cpp
    recording/boardrecordingcontroller.cpp
    recording/endofgamecontroller.cpp
    recording/tableentry.cpp
    recording/repeatedplays.cpp
)
list(APPEND GUI_SOURCES
    recording/gameinfoscreen.cpp
    recording/boardrecordingscreen.cpp
    recording/endofgamescreen.cpp
    recording/tableentryscreen.cpp
    recording/repeatedplaysscreen.cpp
)
