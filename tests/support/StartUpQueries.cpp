#include "tests/support/StartUpQueries.h"

#include <algorithm>
#include <utility>

namespace kivo::test {

std::vector<std::string> startUpQueries(const std::vector<int>& rgb)
{
    std::vector<std::string> queries{"echo\n", "echo off\n",     "hlist 1 27\n", "rgblist\n",
                                     "host\n", "priority all\n", "win all\n"};
    // Every window is asked its input size; an RGB one then its lock and timing too.
    for (int w = 1; w <= 10; ++w) {
        const bool isRgb = std::find(rgb.begin(), rgb.end(), w) != rgb.end();
        for (const char* query : {"wdr ", "mwsr ", "rgb ", "wsr "})
            if (std::string_view(query) != "rgb " || isRgb)
                queries.push_back(query + std::to_string(w) + "\n");
    }
    const std::vector<std::pair<const char*, bool>> levels{
        {"bright ", true}, {"contrast ", true}, {"saturation ", false}, {"hue ", false},
        {"gamma ", true},  {"motion ", false},  {"freeze ", true},      {"input ", false}};
    for (const auto& [query, askedOfRgb] : levels)
        for (int w = 1; w <= 10; ++w)
            if (askedOfRgb || std::find(rgb.begin(), rgb.end(), w) == rgb.end())
                queries.push_back(query + std::to_string(w) + "\n");
    queries.insert(queries.end(), {"baud\n", "echo\n"});
    return queries;
}

} // namespace kivo::test
