vorleth_layer(search LINKS vorleth_interaction SOURCES
    search/pattern.cpp
    search/gamescan.cpp
    search/recordfiles.cpp
    search/searchindex.cpp
)
