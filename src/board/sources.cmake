vorleth_layer(board SOURCES
    board/board.cpp
    board/boardview.cpp
    board/playrules.cpp
    board/geometry.cpp
    board/boardrenderer.cpp
    board/symmetry.cpp
)
