#pragma once

class QCoreApplication;

namespace vorleth {

// Qt's own texts (the standard buttons of message boxes, input and file dialogs, the context
// menus of text fields) in Japanese, like the rest of the program, whatever the system's
// language: installs Qt's Japanese catalogues from Qt's translations directory (Debian package
// qt6-translations-l10n). Returns false when the base catalogue (qtbase_ja) is missing; Qt's
// texts then stay English.
bool installQtJapanese(QCoreApplication& app);

} // namespace vorleth
