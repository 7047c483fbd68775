vorleth_layer(shell LINKS vorleth_state SOURCES
    shell/settingsfile.cpp
    shell/startup.cpp
    shell/slideshow.cpp
    shell/setup.cpp
    shell/helptexts.cpp
    shell/browserlogic.cpp
    shell/recovery.cpp
)

# The maker's site as the program carries it: the online manual and the installation guide
# open in the built-in browser without a network.
qt_add_resources(vorleth_shell "site" PREFIX "/site" BASE shell/site FILES
    shell/site/index.html
    shell/site/site.css
    shell/site/Vorleth/installsetsumei/install.html
)
