#include "cli/SerialAction.h"

#include "cli/CliSession.h"
#include "cli/Operands.h"

#include "core/link/SerialSettings.h"
#include "core/serial/SerialPortModel.h"

#include <optional>
#include <ostream>

namespace kivo::cli {
namespace {

std::string parseBaud(const std::vector<std::string>& operands, SerialRequest& request)
{
    constexpr const char* rates = "baud takes one of 1200, 2400, 4800, 9600, 19200, 38400, "
                                  "57600 or 115200";
    if (operands.size() != 1)
        return rates;
    int rate = 0;
    if (!readWholeNumber(operands.front(), "the rate", 1, 115200, rate).empty() ||
        !isButtonRate(rate))
        return std::string(rates) + ", not " + quoted(operands.front());
    request.baud = rate;
    return {};
}

std::string parseFactoryReset(const std::vector<std::string>& operands, SerialRequest& request)
{
    if (operands.empty())
        return "factory-reset erases every user setting of the Quadrix: give --yes to do it";
    if (operands.size() != 1 || operands.front() != "--yes")
        return "factory-reset takes only --yes, not " + quoted(operands.back());
    request.confirmed = true;
    return {};
}

std::string takeNoOperands(const std::string& action, const std::vector<std::string>& operands)
{
    return operands.empty() ? std::string()
                            : action + " takes no operands, not " + quoted(operands.front());
}

std::string parseFrontPanel(const std::vector<std::string>& operands, SerialRequest& request)
{
    if (operands.size() != 1 || (operands.front() != "lock" && operands.front() != "unlock"))
        return "frontpanel takes lock or unlock";
    request.lockFrontPanel = operands.front() == "lock";
    return {};
}

int changeBaud(CliSession& session, SerialPortModel& page, int rate, std::ostream& out,
               std::ostream& err)
{
    const int before = session.pages().deviceBaud;
    switch (page.changeDeviceBaud(rate)) {
    case DeviceBaudChange::sameRate:
        out << "the Quadrix runs at " << rate << " baud already\n";
        return exitDone;
    case DeviceBaudChange::notOffered:
    case DeviceBaudChange::declined:
        return exitUsage;
    case DeviceBaudChange::notReconnected:
        err << "kivo-cli: the port did not open again at " << rate << " baud\n";
        return exitNoReply;
    case DeviceBaudChange::refused:
    case DeviceBaudChange::notFollowed:
    case DeviceBaudChange::rateNotSaved:
        // The page has said why.
        return exitNoReply;
    case DeviceBaudChange::reconnected:
        break;
    }
    if (const ExitStatus status = session.broughtUp(); status != exitDone)
        return status;
    out << "the Quadrix runs at " << session.pages().deviceBaud << " baud (was " << before << ")\n";
    return exitDone;
}

int restoreFactoryDefaults(CliSession& session, SerialPortModel& page, std::ostream& out)
{
    // The question counts as answered yes: only the device can have refused.
    if (page.restoreFactoryDefaults() != FactoryRestore::started)
        return exitNoReply;
    const FactoryResetMonitor::Outcome outcome = page.waitForFactoryReset();
    switch (outcome) {
    case FactoryResetMonitor::Outcome::promptAnswered:
        out << "factory defaults restored: the Quadrix asked to restart and was answered y\n";
        break;
    case FactoryResetMonitor::Outcome::bannerSeen:
        out << "factory defaults restored: the Quadrix restarted\n";
        break;
    default:
        // The monitor has told why; the panel has still been reset at the factory rate.
        session.broughtUp();
        return exitNoReply;
    }
    return session.broughtUp();
}

} // namespace

int findRate(CliSession& session, std::ostream& out, std::ostream& err)
{
    SerialPortModel page(SerialPortModel::seamsOf(session.panel()));
    const std::optional<int> rate = page.findRate();
    if (!rate) {
        // Without a port that opens, the page holds why; otherwise it has said so itself.
        if (const std::string problem = page.portProblem(); !problem.empty())
            err << "kivo-cli: " << problem << '\n';
        return exitNoReply;
    }
    if (const ExitStatus status = session.broughtUp(); status != exitDone)
        return status;
    out << "the Quadrix answers on " << page.portName() << " at " << *rate << " baud\n";
    return exitDone;
}

std::string parseSerialRequest(const std::string& action, const std::vector<std::string>& operands,
                               SerialRequest& request)
{
    if (action == "baud")
        return parseBaud(operands, request);
    if (action == "factory-reset")
        return parseFactoryReset(operands, request);
    if (action == "find-rate")
        return takeNoOperands(action, operands);
    return parseFrontPanel(operands, request);
}

int runSerialAction(CliSession& session, const std::string& action, const SerialRequest& request,
                    std::ostream& out, std::ostream& err)
{
    session.prompter().confirmQuestions();
    SerialPortModel page(SerialPortModel::seamsOf(session.panel()));
    page.setConnectedLayout(true);
    page.showDeviceBaud(session.pages().deviceBaud);
    if (action == "baud")
        return changeBaud(session, page, request.baud, out, err);
    if (action == "factory-reset")
        return restoreFactoryDefaults(session, page, out);
    if (!page.setFrontPanelLocked(request.lockFrontPanel))
        return exitNoReply;
    out << "front panel " << (request.lockFrontPanel ? "locked" : "unlocked") << '\n';
    return exitDone;
}

} // namespace kivo::cli
