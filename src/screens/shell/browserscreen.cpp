#include "screens/shell/browserscreen.h"

#include "state/sharedstate.h"
#include "ui/webview.h"
#include "ui/webviewmodule.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace vorleth {

namespace {

QStyle::StandardPixmap iconFor(BrowserLogic::Action action) {
    switch (action) {
    case BrowserLogic::Action::Back:
        return QStyle::SP_ArrowBack;
    case BrowserLogic::Action::Forward:
        return QStyle::SP_ArrowForward;
    case BrowserLogic::Action::Stop:
        return QStyle::SP_BrowserStop;
    case BrowserLogic::Action::Refresh:
        return QStyle::SP_BrowserReload;
    case BrowserLogic::Action::Home:
        return QStyle::SP_DirHomeIcon;
    case BrowserLogic::Action::Search:
    case BrowserLogic::Action::None:
        break;
    }
    return QStyle::SP_FileDialogContentsView;
}

} // namespace

BrowserScreen::BrowserScreen(SharedState& state, QWidget* parent)
    : BrowserScreen(state, WebViewModule::shared(), parent) {}

BrowserScreen::BrowserScreen(SharedState& state, WebViewModule& module, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmBrowser"));
    // Empty until a page reports its title.
    setWindowTitle(QString());
    setWindowFlag(Qt::Window);

    buildToolbar();
    m_pageArea = new QWidget(this);
    m_pageArea->setObjectName(QStringLiteral("pageArea"));
    m_pageArea->installEventFilter(this);
    setCentralWidget(m_pageArea);
    buildAddressStrip(m_pageArea);

    m_web = new WebView(module, m_pageArea);
    m_web->setObjectName(QStringLiteral("brwWebBrowser"));
    connect(m_web, &WebView::loadFinished, this, [this] {
        m_logic.loadFinished(m_web->title());
        applyLogic();
    });

    m_poll = new QTimer(this);
    m_poll->setObjectName(QStringLiteral("timTimer"));
    m_poll->setInterval(BrowserLogic::busyPollIntervalMs);
    connect(m_poll, &QTimer::timeout, this, [this] {
        m_logic.tick(m_web->busy(), m_web->title());
        applyLogic();
    });

    resize(openingSize(QSize()));
    layoutPage();

    const QString address = m_logic.start(BrowserLogic::takeStartingAddress(state.shell));
    m_address->addItems(m_logic.addressList());
    m_address->setEditText(address);
    applyLogic();
    m_web->navigate(address);
}

QSize BrowserScreen::openingSize(QSize workingScreen) {
    return workingScreen.expandedTo(minimumOpeningSize);
}

void BrowserScreen::buildToolbar() {
    m_toolbar = addToolBar(QStringLiteral("tbToolBar"));
    m_toolbar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolbar->setMovable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const BrowserLogic::ToolbarButton& button : BrowserLogic::toolbarButtons()) {
        QAction* action =
            m_toolbar->addAction(style()->standardIcon(iconFor(button.action)), button.label);
        action->setObjectName(button.key);
        action->setToolTip(button.label);
        connect(action, &QAction::triggered, this, [this, key = button.key] { press(key); });
    }
}

void BrowserScreen::buildAddressStrip(QWidget* area) {
    m_addressStrip = new QWidget(area);
    m_addressStrip->setObjectName(QStringLiteral("picAddress"));
    m_addressLabel = new QLabel(QStringLiteral("ｱﾄﾞﾚｽ(&A):"), m_addressStrip);
    m_addressLabel->setObjectName(QStringLiteral("lblAddress"));
    m_address = new QComboBox(m_addressStrip);
    m_address->setObjectName(QStringLiteral("cboAddress"));
    m_address->setEditable(true);
    // Typed addresses stay out of the list.
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_addressLabel->setBuddy(m_address);
    // Enter is taken before the combo box sees it, so that an address is opened exactly once.
    m_address->lineEdit()->installEventFilter(this);
    connect(m_address, &QComboBox::activated, this,
            [this](int index) { openFromBox(m_address->itemText(index)); });
}

bool BrowserScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pageArea && event->type() == QEvent::Resize) {
        layoutPage();
    } else if (m_address && watched == m_address->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openFromBox(m_address->currentText());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void BrowserScreen::press(const QString& key) {
    const BrowserLogic::Action action = m_logic.press(key, m_web->title());
    switch (action) {
    case BrowserLogic::Action::Back:
        m_web->back();
        break;
    case BrowserLogic::Action::Forward:
        m_web->forward();
        break;
    case BrowserLogic::Action::Stop:
        m_web->stop();
        break;
    case BrowserLogic::Action::Refresh:
        m_web->reload();
        break;
    case BrowserLogic::Action::Home:
        m_web->home();
        break;
    case BrowserLogic::Action::Search:
        m_web->search();
        break;
    case BrowserLogic::Action::None:
        break;
    }
    applyLogic();
}

void BrowserScreen::openFromBox(const QString& text) {
    const QString address = m_logic.openFromBox(text);
    applyLogic();
    m_web->navigate(address);
}

void BrowserScreen::applyLogic() {
    if (m_logic.timerOn() && !m_poll->isActive())
        m_poll->start();
    else if (!m_logic.timerOn())
        m_poll->stop();
    setWindowTitle(m_logic.windowTitle());
}

void BrowserScreen::layoutPage() {
    if (!m_addressStrip || !m_web)
        return;
    const int dpi = std::max(1, logicalDpiX());
    const double twipsPerPixel = 1440.0 / dpi;
    const auto toTwips = [twipsPerPixel](int pixels) {
        return static_cast<int>(pixels * twipsPerPixel);
    };
    const auto toPixels = [twipsPerPixel](int twips) {
        return static_cast<int>(twips / twipsPerPixel);
    };

    const int labelWidth = m_addressLabel->sizeHint().width();
    const int stripHeight =
        std::max(m_address->sizeHint().height(), m_addressLabel->sizeHint().height()) + 4;
    const int innerWidth = m_pageArea->width();
    const int innerHeight = m_pageArea->height();
    const BrowserLogic::Layout sizes =
        BrowserLogic::layout(toTwips(innerWidth), toTwips(innerHeight), 0, toTwips(stripHeight));

    m_addressStrip->setGeometry(0, 0, innerWidth, stripHeight);
    m_addressLabel->setGeometry(4, 2, labelWidth, stripHeight - 4);
    // The label shares the strip with the box, which keeps the margin on the right.
    const int boxLeft = labelWidth + 8;
    m_address->setGeometry(boxLeft, 2, std::max(0, toPixels(sizes.addressBoxWidth) - boxLeft),
                           stripHeight - 4);
    m_web->setGeometry(0, stripHeight, toPixels(sizes.pageWidth), toPixels(sizes.pageHeight));
}

} // namespace vorleth
