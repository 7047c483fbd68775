# Files of src/ui, as paths relative to src/.
list(APPEND CORE_SOURCES
)
list(APPEND GUI_SOURCES
    ui/messagedialogs.cpp
)
