#include "core/protocol/Reply.h"

#include "core/base/Strings.h"

namespace kivo {

bool endsWithPrompt(std::string_view text)
{
    const std::string_view prompt = loadString(StringId::prompt);
    return text == prompt ||
           (text.ends_with(prompt) && text.substr(0, text.size() - prompt.size()).ends_with('\n'));
}

} // namespace kivo
