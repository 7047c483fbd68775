# Files of src/import, as paths relative to src/.
list(APPEND CORE_SOURCES
    import/sgf.cpp
    import/sgfimport.cpp
    import/importsource.cpp
)
list(APPEND GUI_SOURCES
)
