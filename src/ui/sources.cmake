# Files of src/ui, as paths relative to src/.
list(APPEND CORE_SOURCES
)
list(APPEND GUI_SOURCES
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
