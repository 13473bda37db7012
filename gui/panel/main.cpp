#include "gui/base/QtBusyHandler.h"
#include "gui/base/QtClock.h"
#include "gui/base/QtKeyState.h"
#include "gui/base/QtPrompter.h"
#include "gui/panel/GuiArguments.h"
#include "gui/panel/MainWindow.h"
#include "gui/panel/QtProcessExit.h"
#include "gui/panel/ShutdownAtExit.h"
#include "gui/panel/SingleInstanceGuard.h"
#include "gui/panel/StopSignalNotifier.h"

#include "core/link/LinkOpener.h"
#include "sim/SimulatedQuadrix.h"

#include <QApplication>

#include <iostream>

namespace kivo::gui {
namespace {

constexpr int exitUsage = 2;

int runPanel(const GuiArguments& arguments, StopSignalNotifier& stopSignals)
{
    SingleInstanceGuard guard(SingleInstanceGuard::defaultName());
    if (!guard.claim()) {
        std::cerr << "Kivo is already running; it was brought to the front.\n";
        return 0;
    }

    QtBusyHandler busy;
    QtClock clock(busy);
    QtKeyState keys;
    QtPrompter prompter(MainWindow::caption());
    QtProcessExit processExit;
    LinkOpener opener;
    sim::addSimulatedQuadrix(opener);

    MainWindow window({arguments.options.iniPath(), arguments.options.port},
                      {clock, keys, prompter, processExit, busy}, opener);
    // Without its settings the panel would talk at the wrong rate and lose what it stores: it
    // stops before the port is opened.
    if (const std::string& error = window.session().profile().loadError(); !error.empty()) {
        std::cerr << "kivo: " << error << '\n';
        return exitUsage;
    }
    processExit.setMainWindow(&window);
    const ShutdownAtExit lostDisplay(window.session().app());
    QObject::connect(&stopSignals, &StopSignalNotifier::stopRequested, &window, [&](int signal) {
        processExit.stoppedBy(signal);
        busy.requestAbort();
        window.endInOrder();
    });
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &window,
                     &MainWindow::bringToFront);
    window.show();
    if (std::string error; arguments.options.trace &&
                           !window.session().app().trace.start(*arguments.options.trace, error))
        prompter.tell(error);
    // A signal taken while a message above was open has closed the window already.
    if (processExit.stopStatus() == 0)
        window.exec();
    return processExit.stopStatus();
}

} // namespace
} // namespace kivo::gui

int main(int argc, char** argv)
{
    using namespace kivo::gui;
    // --help and a bad command line must be answered without a display, so kivo's own words
    // are read before Qt starts.
    const GuiArguments early = parseGuiArguments(ownWords({argv + 1, argv + argc}));
    if (early.options.help) {
        std::cout << guiUsageText();
        return 0;
    }
    if (!early.error.empty()) {
        std::cerr << "kivo: " << early.error << '\n';
        return exitUsage;
    }
    QApplication application(argc, argv);
    // From here a signal ends the panel in order; until the window exists it waits in the pipe.
    StopSignalNotifier stopSignals;
    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    std::vector<std::string> words;
    for (const QString& word : QApplication::arguments().mid(1))
        words.push_back(word.toStdString());
    const GuiArguments arguments = parseGuiArguments(words);
    if (!arguments.error.empty()) {
        std::cerr << "kivo: " << arguments.error << '\n';
        return exitUsage;
    }
    if (const std::string error = arguments.options.iniPathError(); !error.empty()) {
        std::cerr << "kivo: " << error << '\n';
        return exitUsage;
    }
    return runPanel(arguments, stopSignals);
}
