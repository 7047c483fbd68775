vorleth_layer(import LINKS vorleth_interaction SOURCES
    import/sgf.cpp
    import/sgfimport.cpp
    import/importsource.cpp
    import/tableimport.cpp
    import/sgfitems.cpp
    import/mailtext.cpp
)
