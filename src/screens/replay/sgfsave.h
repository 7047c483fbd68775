#pragma once

#include <QAction>
#include <QString>

#include <functional>
#include <optional>

namespace vorleth {

class Dialogs;
struct SharedState;

inline const QString sgfSaveCaption = QStringLiteral("SGF形式で保存");
inline const QString cannotSaveSgfMessage = QStringLiteral("SGFファイルを保存できません：");
// Followed by the moves after which the file sets the record's position up again.
inline const QString sgfSetUpAgainMessage =
    QStringLiteral("SGF形式で保存しました。次の手のところは他の碁ソフトでは棋譜どおりに"
                   "並ばないため、局面の配置を書き加えました：");

// Asks where to save, starting from the proposed path; nothing when the user cancels.
using SgfFileChooser = std::function<std::optional<QString>(const QString& proposedPath)>;

// baseDirectory/SGF/<the game name made safe for the file system>.sgf
QString proposedSgfPath(const QString& baseDirectory, const QString& gameName);

// "SGF形式で保存" of the replay screen: writes the game being replayed as SGF to a file the
// user chooses through the standard save dialog. A failed write shows its reason; the moves
// that other programs would not show as recorded are named after a successful one.
class SgfSaveAction : public QAction {
    Q_OBJECT
public:
    SgfSaveAction(const SharedState& state, Dialogs& dialogs, QWidget* parent);

    // Tests answer in place of the modal dialog.
    void setChooser(SgfFileChooser chooser) { m_choose = std::move(chooser); }

    // Returns whether a file was written.
    bool save();

private:
    const SharedState& m_state;
    Dialogs& m_dialogs;
    SgfFileChooser m_choose;
};

} // namespace vorleth
