vorleth_layer(export LINKS vorleth_interaction SOURCES
    export/sgfexport.cpp
    export/exportrecord.cpp
    export/gamefigure.cpp
    export/figurelayout.cpp
)
# The SGF files the program writes name it with its version (AP).
set_source_files_properties(export/sgfexport.cpp PROPERTIES
    COMPILE_DEFINITIONS VORLETH_VERSION="${PROJECT_VERSION}")
