# uchardet guesses the encoding of SGF files that do not name theirs.
find_package(PkgConfig REQUIRED)
pkg_check_modules(UCHARDET REQUIRED IMPORTED_TARGET GLOBAL uchardet)
vorleth_layer(import LINKS vorleth_interaction PkgConfig::UCHARDET SOURCES
    import/sgfencoding.cpp
    import/sgf.cpp
    import/sgfimport.cpp
    import/importsource.cpp
    import/tableimport.cpp
    import/sgfitems.cpp
    import/mailtext.cpp
)
