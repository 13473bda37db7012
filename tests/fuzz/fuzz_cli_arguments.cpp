#include "tests/fuzz/FuzzCheck.h"

#include "cli/ActionTable.h"
#include "cli/CliArguments.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using kivo::fuzz::check;

// The bytes are kivo-cli's command line, its words cut at each zero byte. Whatever is typed,
// a command line is either usable, naming an action of the table, or refused with one
// printable line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    const kivo::cli::ParsedArguments parsed = kivo::cli::parseArguments(words);
    if (parsed.arguments.options.help)
        return 0;
    if (parsed.error.empty()) {
        check(kivo::cli::findAction(parsed.arguments.action) != nullptr,
              "a usable command line names an action");
    } else {
        check(std::all_of(parsed.error.begin(), parsed.error.end(),
                          [](char c) { return c >= ' ' && c <= '~'; }),
              "a refusal is one printable line");
    }
    return 0;
}
