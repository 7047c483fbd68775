vorleth_layer(shell LINKS vorleth_state SOURCES
    shell/settingsfile.cpp
    shell/startup.cpp
    shell/slideshow.cpp
    shell/setup.cpp
    shell/helptexts.cpp
    shell/browserlogic.cpp
    shell/recovery.cpp
)
