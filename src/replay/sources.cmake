# Files of src/replay, as paths relative to src/.
list(APPEND CORE_SOURCES
    replay/replaycontroller.cpp
)
list(APPEND GUI_SOURCES
    replay/replayscreen.cpp
    replay/sgfsave.cpp
)
