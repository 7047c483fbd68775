#pragma once

#include <QString>

namespace vorleth {

// The maker's web site. Its front page carries the online manual; every address the program
// opens on the site is built from this one place. The program carries the site itself, so
// that the manual and the installation guide are there on a machine without a network.
inline const QString makerSiteAddress = QStringLiteral("qrc:/site/");

// The installation guide, opened once on the first start.
inline const QString installGuidePath = QStringLiteral("Vorleth/installsetsumei/install.html");

inline QString frontPageAddress() {
    return makerSiteAddress + QStringLiteral("index.html");
}
inline QString installGuideAddress() {
    return makerSiteAddress + installGuidePath;
}

} // namespace vorleth
