# Files of src/import, as paths relative to src/.
list(APPEND CORE_SOURCES
    import/sgf.cpp
    import/sgfexport.cpp
    import/sgfimport.cpp
    import/importsource.cpp
    import/tableimport.cpp
    import/sgfitems.cpp
    import/mailtext.cpp
)
list(APPEND GUI_SOURCES
    import/sgfchooserscreen.cpp
)
# The SGF files the program writes name it with its version (AP).
set_source_files_properties(import/sgfexport.cpp PROPERTIES
    COMPILE_DEFINITIONS VORLETH_VERSION="${PROJECT_VERSION}")
