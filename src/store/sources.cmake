vorleth_layer(store LINKS vorleth_board SOURCES
    store/recordname.cpp
    store/resulttext.cpp
    store/textfile.cpp
    store/recordcodec.cpp
    store/library.cpp
    store/workingfiles.cpp
    store/recoveryfile.cpp
    store/catalogue.cpp
    store/cataloguestorage.cpp
    store/cataloguenameorder.cpp
    store/chooser.cpp
    store/gametexts.cpp
    store/recordlistcontroller.cpp
)
