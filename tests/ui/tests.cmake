# Tests of src/ui, paths relative to tests/.
find_package(Qt6 REQUIRED COMPONENTS Test)
vorleth_add_test(drawingsurface_tests SOURCES ui/drawingsurface_test.cpp GUI)
target_link_libraries(drawingsurface_tests PRIVATE Qt6::Test)
# Again on a screen of twice the pixel density.
add_test(NAME drawingsurface_hidpi_tests COMMAND drawingsurface_tests)
set_tests_properties(drawingsurface_hidpi_tests PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2")
vorleth_add_test(ui_tests SOURCES ui/flexgrid_test.cpp ui/screenregistry_test.cpp
    ui/platform_test.cpp ui/qttranslations_test.cpp ui/beeprun_test.cpp
    ui/messagedialogs_test.cpp GUI)
target_link_libraries(ui_tests PRIVATE Qt6::Test)
vorleth_add_test(webview_tests SOURCES ui/webview_test.cpp GUI)
target_link_libraries(webview_tests PRIVATE Qt6::Test)
set_tests_properties(webview_tests PROPERTIES TIMEOUT 180 ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox;QTWEBENGINE_DISABLE_SANDBOX=1")
