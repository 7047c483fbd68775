# Files of src/store, as paths relative to src/.
list(APPEND CORE_SOURCES
    store/recordname.cpp
    store/resulttext.cpp
    store/textfile.cpp
    store/recordcodec.cpp
    store/library.cpp
    store/workingfiles.cpp
    store/recoveryfile.cpp
    store/catalogue.cpp
    store/chooser.cpp
)
list(APPEND GUI_SOURCES
    store/recordlistmodel.cpp
    store/recordlistscreen.cpp
    store/chooserscreens.cpp
)
