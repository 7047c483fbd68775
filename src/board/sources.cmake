vorleth_layer(board SOURCES
    board/board.cpp
    board/boardview.cpp
    board/groups.cpp
    board/playrules.cpp
    board/geometry.cpp
    board/boardrenderer.cpp
    board/symmetry.cpp
)
