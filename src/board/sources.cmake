# Files of src/board, as paths relative to src/.
list(APPEND CORE_SOURCES
    board/board.cpp
    board/boardview.cpp
    board/playrules.cpp
    board/geometry.cpp
    board/boardrenderer.cpp
    board/symmetry.cpp
)
list(APPEND GUI_SOURCES
)
