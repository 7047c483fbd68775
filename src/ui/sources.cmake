# The platform layer: Qt Widgets under the board and the questions the logic asks.
add_library(vorleth_ui STATIC
    ui/messagedialogs.cpp
    ui/drawingsurface.cpp
    ui/surfaceboardview.cpp
    ui/twipsbox.cpp
    ui/drivelist.cpp
    ui/directorychooser.cpp
    ui/screenarea.cpp
    ui/boardscreenframe.cpp
    ui/platform.cpp
    ui/qttranslations.cpp
    ui/flexgrid.cpp
    ui/beeprun.cpp
    ui/webview.cpp
    ui/webviewmodule.cpp
    ui/screenregistry.cpp
    ui/strayclickguard.cpp
    ui/enterpressesbutton.cpp
    ui/escapebutton.cpp
)
target_link_libraries(vorleth_ui PUBLIC vorleth_interaction Qt6::Widgets)

# Figures painted for PDF, PNG and the printer: Qt GUI without the widgets, so that the
# command-line tool can write them too.
add_library(vorleth_figurewriter STATIC ui/figurewriter.cpp)
target_link_libraries(vorleth_figurewriter PUBLIC vorleth_export Qt6::Gui)
set_target_properties(vorleth_figurewriter PROPERTIES AUTOMOC OFF)
target_link_libraries(vorleth_ui PUBLIC vorleth_figurewriter)
