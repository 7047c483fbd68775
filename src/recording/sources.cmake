vorleth_layer(recording LINKS vorleth_interaction vorleth_import SOURCES
    recording/gameinfocontroller.cpp
    recording/boardrecordingcontroller.cpp
    recording/endofgamecontroller.cpp
    recording/tableentry.cpp
    recording/repeatedplays.cpp
)
