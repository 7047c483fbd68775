# The platform layer: Qt Widgets under the board and the questions the logic asks.
add_library(vorleth_ui STATIC
    ui/messagedialogs.cpp
    ui/drawingsurface.cpp
    ui/surfaceboardview.cpp
    ui/twipsbox.cpp
    ui/drivelist.cpp
    ui/platform.cpp
    ui/qttranslations.cpp
    ui/flexgrid.cpp
    ui/beeprun.cpp
    ui/webview.cpp
    ui/webviewmodule.cpp
    ui/screenregistry.cpp
)
target_link_libraries(vorleth_ui PUBLIC vorleth_interaction Qt6::Widgets)
