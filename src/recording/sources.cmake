# Files of src/recording, as paths relative to src/.
list(APPEND CORE_SOURCES
)
list(APPEND GUI_SOURCES
)
