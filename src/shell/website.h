#pragma once

#include <QString>

namespace vorleth {

// The maker's web site. Its front page carries the online manual; every address the program
// opens on the site is built from this one place.
inline const QString makerSiteAddress = QStringLiteral("https://vorleth.example/");

// The installation guide, opened once on the first start.
inline const QString installGuidePath = QStringLiteral("Vorleth/installsetsumei/install.html");

inline QString frontPageAddress() {
    return makerSiteAddress;
}
inline QString installGuideAddress() {
    return makerSiteAddress + installGuidePath;
}

} // namespace vorleth
