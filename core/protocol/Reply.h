#pragma once

#include "core/base/Text.h"

#include <string>
#include <string_view>

namespace kivo {

// What one exchange with the device brought back. Collecting returns one, so a routine reads
// the answer to its own question and never what an earlier exchange left behind.
struct Reply {
    enum class End {
        notSent,    // nothing went out: no link, an empty command, or a failed write
        silence,    // the device fell silent (after answering, or without a word)
        prompt,     // the bytes read ended with the device's prompt at the start of a line
        more,       // the page ended with the paging marker
        limit,      // the reply reached the most the panel collects
        paging,     // the device paged on past all a reply holds, or with empty pages
        linkFailed, // a read on the link failed
    };

    std::string text;
    End end = End::notSent;

    bool answered() const { return !text.empty(); }
};

// The device ends every answer with its prompt at the start of a line.
bool endsWithPrompt(std::string_view text);

// The device refuses a command with a reply that says "Error"; no value is read out of one.
inline bool isRefusal(std::string_view reply) { return contains(reply, "Error"); }

// Whether the device took a command that it answers with its prompt alone: the answer came to
// its end and is no refusal. Silence, a cut answer or line noise is not taken.
inline bool tookCommand(const Reply& reply)
{
    return reply.end == Reply::End::prompt && !isRefusal(reply.text);
}

} // namespace kivo
