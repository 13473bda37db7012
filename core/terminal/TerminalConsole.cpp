#include "core/terminal/TerminalConsole.h"

#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/link/PanelApp.h"
#include "core/protocol/CommandChannel.h"
#include "core/terminal/TerminalModel.h"

#include <array>

namespace kivo {
namespace {

constexpr int emptyReadTries = 10;

} // namespace

TerminalConsole::TerminalConsole(TerminalModel& model, CommandChannel& channel, PanelApp& app,
                                 Prompter& prompter)
    : model_(model), channel_(channel), app_(app), prompter_(prompter)
{
}

void TerminalConsole::type(std::string_view characters) { model_.type(characters); }

void TerminalConsole::erase() { model_.erase(); }

void TerminalConsole::enter()
{
    channel_.sendCommand(model_.finishLine());
    ReadCommForTerm(CommandChannel::replyLimit);
    channel_.answersRead();
    model_.ensurePrompt();
}

void TerminalConsole::paste(std::string_view text)
{
    for (auto lineFeed = text.find('\n'); lineFeed != std::string_view::npos;
         lineFeed = text.find('\n')) {
        type(text.substr(0, lineFeed));
        enter();
        text.remove_prefix(lineFeed + 1);
    }
    type(text);
}

bool TerminalConsole::ReadCommForTerm(std::size_t limit)
{
    std::size_t total = 0;
    int tries = emptyReadTries;
    std::array<char, Link::maxReadSize> chunk{};
    long got = -1;
    while (app_.serialHandle) {
        got = app_.serialHandle->read(chunk);
        if (got < 0) {
            reportBadRead();
            break;
        }
        total += model_.showReceived({chunk.data(), static_cast<std::size_t>(got)});
        tries = got > 0 ? (total > 0 ? 1 : emptyReadTries) : tries - 1;
        if (tries <= 0 || total >= limit)
            break;
    }
    return got >= 0;
}

void TerminalConsole::reportBadRead()
{
    if (!app_.connected())
        return;
    prompter_.ask(app_.serialHandle->errorText(), Prompter::Buttons::ok,
                  Prompter::Icon::information, std::string(loadString(StringId::badTerminalRead)));
}

} // namespace kivo
