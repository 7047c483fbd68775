# Files of src/counting, as paths relative to src/.
list(APPEND CORE_SOURCES
    counting/countgrid.cpp
    counting/territory.cpp
    counting/countresult.cpp
    counting/correction.cpp
    counting/countdrawing.cpp
    counting/countingcontroller.cpp
)
list(APPEND GUI_SOURCES
    counting/countingscreen.cpp
    counting/countpalette.cpp
)
