# Files of src/import, as paths relative to src/.
list(APPEND CORE_SOURCES
    import/sgf.cpp
    import/sgfimport.cpp
)
list(APPEND GUI_SOURCES
)
