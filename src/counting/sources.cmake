vorleth_layer(counting LINKS vorleth_interaction vorleth_import SOURCES
    counting/countgrid.cpp
    counting/territory.cpp
    counting/playoutboard.cpp
    counting/playout.cpp
    counting/benson.cpp
    counting/capture.cpp
    counting/defence.cpp
    counting/openborders.cpp
    counting/grouping.cpp
    counting/lifereading.cpp
    counting/estimate.cpp
    counting/guesschoice.cpp
    counting/countresult.cpp
    counting/correction.cpp
    counting/countdrawing.cpp
    counting/countingcontroller.cpp
)
