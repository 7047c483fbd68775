# Files of src/shell, as paths relative to src/.
list(APPEND CORE_SOURCES
    shell/settingsfile.cpp
    shell/startup.cpp
    shell/slideshow.cpp
    shell/setup.cpp
    shell/helptexts.cpp
    shell/browserlogic.cpp
    shell/recovery.cpp
)
list(APPEND GUI_SOURCES
    shell/startpicture.cpp
    shell/mainmenuscreen.cpp
    shell/setupscreen.cpp
    shell/screensizescreen.cpp
    shell/helpscreen.cpp
    shell/browserscreen.cpp
)
