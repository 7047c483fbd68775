# The screens: thin Qt Widgets windows over the logic's controllers.
add_library(vorleth_gui STATIC
    screens/counting/countingscreen.cpp
    screens/counting/countpalette.cpp
    screens/import/sgfchooserscreen.cpp
    screens/recording/gameinfoscreen.cpp
    screens/recording/boardrecordingscreen.cpp
    screens/recording/endofgamescreen.cpp
    screens/recording/tableentryscreen.cpp
    screens/recording/repeatedplaysscreen.cpp
    screens/replay/replayscreen.cpp
    screens/replay/sgfsave.cpp
    screens/replay/figureactions.cpp
    screens/shell/startpicture.cpp
    screens/shell/mainmenuscreen.cpp
    screens/shell/setupscreen.cpp
    screens/shell/screensizescreen.cpp
    screens/shell/helpscreen.cpp
    screens/shell/browserscreen.cpp
    screens/store/recordlistmodel.cpp
    screens/store/recordlistscreen.cpp
    screens/store/chooserscreens.cpp
    screens/search/boardsearch.cpp
    screens/search/searchresultsscreen.cpp
    screens/search/searchhitsmodel.cpp
)
target_link_libraries(vorleth_gui PUBLIC vorleth_core vorleth_ui Qt6::PrintSupport)
