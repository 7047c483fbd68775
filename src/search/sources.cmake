vorleth_layer(search LINKS vorleth_interaction SOURCES
    search/pattern.cpp
    search/gamescan.cpp
    search/searchindex.cpp
)
