#include "gui/panel/MainWindow.h"

#include "gui/base/QtStrings.h"
#include "gui/image/ImageControlsPage.h"
#include "gui/image/ImageControlsPageIds.h"
#include "gui/inputs/InputsPage.h"
#include "gui/output/OutputPage.h"
#include "gui/panel/HelpWindow.h"
#include "gui/panel/WindowPlace.h"
#include "gui/presentations/PresentationPage.h"
#include "gui/presentations/PresentationPageIds.h"
#include "gui/screen/VirtualScreenPage.h"
#include "gui/screen/VirtualScreenPageIds.h"
#include "gui/serial/SerialPortPage.h"
#include "gui/terminal/TerminalPage.h"

#include "core/base/Prompter.h"
#include "core/settings/Profile.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace kivo::gui {
namespace {

const QColor noticeColour(0, 0, 128);
constexpr int noticeLeft = 10;
const QSize defaultSize(900, 540);

// A page scrolls when the screen is too small for it, so the window always fits the screen.
QScrollArea* scrolling(QWidget* page)
{
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

} // namespace

MainWindow::MainWindow(const SessionOptions& options, CommandChannel::Seams seams,
                       const LinkOpener& opener, QWidget* parent)
    : QDialog(parent), seams_(seams), opener_(opener),
      session_(options, {seams.clock, seams.keys, seams.prompter, seams.processExit, seams.busy,
                         *this, *this}),
      screen_(session_), tabs_(new QTabWidget(this)), help_(new HelpWindow(this))
{
    setWindowTitle(caption());
    setWindowIcon(QIcon(QStringLiteral(":/kivo.png")));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(createButtons());
    createPages();
    placeOnScreen();

    startupTimer_.setSingleShot(true);
    startupTimer_.setInterval(startupDelayMs);
    connect(&startupTimer_, &QTimer::timeout, this, &MainWindow::startUp);
    startupTimer_.start();
}

// The pages hold references into the session: they go first, while it is still whole.
MainWindow::~MainWindow() { delete tabs_; }

QString MainWindow::caption() { return QStringLiteral("Kivo " KIVO_VERSION); }

void MainWindow::createPages()
{
    outputPage_ = new OutputPage(session_, tabs_);
    inputsPage_ = new InputsPage(session_, tabs_);
    terminal_ = new TerminalPage(session_, tabs_);
    virtualScreenPage_ = new VirtualScreenPage(session_, screen_, tabs_);
    presentationPage_ = new PresentationPage(session_, screen_, tabs_);
    imagePage_ = new ImageControlsPage(session_, screen_, tabs_);
    serialPortPage_ = new SerialPortPage(session_, tabs_);
    pages_ = {virtualScreenPage_, presentationPage_, imagePage_, outputPage_,
              inputsPage_,        serialPortPage_,   terminal_};
    for (PropertyPage* page : pages_)
        tabs_->addTab(scrolling(page), page->caption());
    routePageEdits();
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    // Every page comes to the front once, so each has run its activation before any is used.
    for (int index = 0; index < pageCount; ++index)
        setActivePage(static_cast<Page>(index));
}

void MainWindow::placeOnScreen()
{
    // The areas are those of the window without its frame, which the title bar heads.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const auto clientArea = [&](const QScreen* screen) {
        return screen->availableGeometry().adjusted(0, titleBar, 0, 0);
    };
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(clientArea(screen));
    setGeometry(
        windowPlace(readWindowPlace(session_.profile()), defaultSize, areas, clientArea(screen())));
}

void MainWindow::routePageEdits()
{
    routeEdits(virtualScreenPageIds::firstDescription, virtualScreenPageIds::lastDescription,
               [this](CheckedEdit& box) { return virtualScreenPage_->descriptionCommitted(box); });
    routeEdits(
        virtualScreenPageIds::firstName, virtualScreenPageIds::lastName,
        [this](CheckedEdit& box) { return virtualScreenPage_->arrangementNameCommitted(box); });
    routeEdits(
        presentationPageIds::presentationName, presentationPageIds::presentationName,
        [this](CheckedEdit& box) { return presentationPage_->presentationNameCommitted(box); });
    routeEdits(presentationPageIds::shotName, presentationPageIds::shotName,
               [this](CheckedEdit& box) { return presentationPage_->shotNameCommitted(box); });
    routeEdits(presentationPageIds::holdTime, presentationPageIds::holdTime,
               [this](CheckedEdit& box) { return presentationPage_->holdTimeCommitted(box); });
    routeEdits(imageControlsPageIds::sourceBox, imageControlsPageIds::sourceBox,
               [this](CheckedEdit& box) { return imagePage_->sourceTextCommitted(box); });
    routeEdits(imageControlsPageIds::firstLevelEdit, imageControlsPageIds::lastLevelEdit,
               [this](CheckedEdit& box) { return imagePage_->levelEdited(box); });
}

QWidget* MainWindow::createButtons()
{
    auto* row = new QWidget(this);
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    // The sheet has no OK: every change goes to the device as it is made.
    auto* ok = new QPushButton(tr("OK"), row);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setEnabled(false);
    ok->hide();
    auto* exit = new QPushButton(qtString(StringId::exitCaption), row);
    exit->setObjectName(QStringLiteral("exit"));
    auto* helpButton = new QPushButton(qtString(StringId::helpCaption), row);
    helpButton->setObjectName(QStringLiteral("help"));
    for (QPushButton* button : {ok, exit, helpButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &MainWindow::showActivePageHelp);
    return row;
}

Page MainWindow::activePage() const { return static_cast<Page>(tabs_->currentIndex()); }

void MainWindow::setActivePage(Page page) { tabs_->setCurrentIndex(static_cast<int>(page)); }

void MainWindow::pageChanged(int index)
{
    if (activeIndex_ >= 0)
        page(static_cast<Page>(activeIndex_)).onKillActive();
    activeIndex_ = index;
    page(static_cast<Page>(index)).onSetActive();
}

void MainWindow::showActivePageHelp() { help_->showTopic(page(activePage()).helpContext()); }

void MainWindow::endInOrder()
{
    for (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this;) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog)
            break;
        dialog->reject();
        QWidget* next = QApplication::activeModalWidget();
        // One that will not go stays; the window closes all the same.
        modal = next == modal ? nullptr : next;
    }
    close();
}

void MainWindow::startUp()
{
    startupTimer_.stop();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string error;
    // Without a link the reset leaves the panel waiting on the Serial Port page, which says
    // why. A port that was set and did not open is said once more, here; without one, the
    // page's port chooser is the answer.
    if (!session_.openLink(opener_, error)) {
        serialPortPage_->portOpenFailed(error);
        if (!session_.app().portName.empty())
            seams_.prompter.tell(error);
    }
    resetPanel(true);
    QApplication::restoreOverrideCursor();
}

void MainWindow::resetPanel(bool echoQuery) { session_.bringUp().reset(echoQuery); }

void MainWindow::showBringUpProgress(bool shown) { terminal_->showBringUpProgress(shown); }

void MainWindow::showAbortHint(const std::string& text) { terminal_->showAbortHint(text); }

void MainWindow::repaintTerminal() { terminal_->repaint(); }

void MainWindow::clearPresentationLists() { presentationPage_->clearPresentationLists(); }

void MainWindow::loadPresentations() { presentationPage_->loadPresentations(); }

void MainWindow::showSerialPortLayout(bool connected)
{
    serialPortPage_->setConnectedLayout(connected);
}

void MainWindow::showDeviceBaud(int baud, int /*radioIndex*/)
{
    serialPortPage_->showDeviceBaud(baud);
}

void MainWindow::showDeviceEcho(bool on) { serialPortPage_->showDeviceEcho(on); }

void MainWindow::timingListsLoaded()
{
    outputPage_->listLoaded();
    inputsPage_->listLoaded();
}

void MainWindow::outputTimingChanged() { outputPage_->outputTimingChanged(); }

void MainWindow::refreshInputWindow(int /*window*/) { inputsPage_->windowTimingRead(); }

void MainWindow::applyArrangement(int mode) { virtualScreenPage_->applyArrangement(mode); }

void MainWindow::descriptionsLoaded() { virtualScreenPage_->descriptionsLoaded(); }

void MainWindow::redrawWindowControls() { virtualScreenPage_->redrawWindowControls(); }

void MainWindow::stepProgress() { terminal_->stepProgress(); }

void MainWindow::setProgressPosition(int position) { terminal_->setProgressPosition(position); }

void MainWindow::setProgressStep(int step) { terminal_->setProgressStep(step); }

void MainWindow::showProgressText(const std::string& text) { terminal_->showProgressText(text); }

void MainWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void MainWindow::done(int result)
{
    // The next start opens where the operator left the window. A panel that never reached a
    // device creates no ini file for it.
    Profile& profile = session_.profile();
    const bool saving = session_.app().connected() || std::filesystem::exists(profile.path());
    if (saving && !isMinimized() && !writeWindowPlace(profile, geometry()))
        qWarning("kivo: %s", profile.lastWriteError().c_str());
    session_.app().shutdown();
    QDialog::done(result);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape is an ordinary key here; leaving the panel takes Exit or the close box.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(noticeColour);
    const int top = height() * 15 / 16;
    painter.drawText(QRect(noticeLeft, top, width() - noticeLeft, height() - top),
                     Qt::AlignLeft | Qt::AlignTop, qtString(StringId::mainWindowNotice));
}

} // namespace kivo::gui
