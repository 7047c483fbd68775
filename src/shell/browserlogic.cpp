#include "shell/browserlogic.h"

#include "shell/website.h"
#include "state/settings.h"

#include <algorithm>

namespace vorleth {

QList<BrowserLogic::ToolbarButton> BrowserLogic::toolbarButtons() {
    return {
        {QStringLiteral("Back"), QStringLiteral("戻る"), Action::Back},
        {QStringLiteral("Forward"), QStringLiteral("進む"), Action::Forward},
        {QStringLiteral("Stop"), QStringLiteral("中止"), Action::Stop},
        {QStringLiteral("Refresh"), QStringLiteral("更新"), Action::Refresh},
        {QStringLiteral("Home"), QStringLiteral("ﾎｰﾑ"), Action::Home},
        {QStringLiteral("Search"), QStringLiteral("検索"), Action::Search},
    };
}

BrowserLogic::Action BrowserLogic::actionForKey(const QString& key) {
    for (const ToolbarButton& button : toolbarButtons()) {
        if (button.key == key)
            return button.action;
    }
    return Action::None;
}

QString BrowserLogic::takeStartingAddress(ShellState& shell) {
    QString address = shell.browserStartAddress;
    shell.browserStartAddress.clear();
    return address.isEmpty() ? frontPageAddress() : address;
}

QString BrowserLogic::start(const QString& startingAddress) {
    m_startingAddress = startingAddress;
    m_addressList = QStringList{startingAddress};
    m_timerOn = true;
    return startingAddress;
}

QString BrowserLogic::openFromBox(const QString& boxText) {
    m_timerOn = true;
    return boxText;
}

BrowserLogic::Action BrowserLogic::press(const QString& key, const QString& pageTitle) {
    m_timerOn = true;
    const Action action = actionForKey(key);
    if (action == Action::Stop) {
        m_timerOn = false;
        m_windowTitle = pageTitle;
    }
    return action;
}

void BrowserLogic::tick(bool loading, const QString& pageTitle) {
    if (loading) {
        m_windowTitle = connectingTitle;
        return;
    }
    m_timerOn = false;
    m_windowTitle = pageTitle;
}

void BrowserLogic::loadFinished(const QString& pageTitle) {
    m_windowTitle = pageTitle;
}

BrowserLogic::Layout BrowserLogic::layout(int innerWidth, int innerHeight, int addressStripTop,
                                          int addressStripHeight) {
    Layout result;
    result.addressBoxWidth = std::max(0, innerWidth - margin);
    result.pageWidth = std::max(0, innerWidth - margin);
    result.pageHeight = std::max(0, innerHeight - (addressStripTop + addressStripHeight) - margin);
    return result;
}

} // namespace vorleth
