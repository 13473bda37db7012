#include "cli/ActionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace kivo::cli {
namespace {

// The words of a usage or of a manual page's term line, marks of bold, italics and brackets
// left out: "*windows* *on*|*off* _N_..." has windows, on, off and N.
std::set<std::string> wordsOf(std::string line)
{
    std::erase_if(line, [](char c) { return c == '*' || c == '_' || c == '[' || c == ']'; });
    std::replace(line.begin(), line.end(), '|', ' ');
    std::set<std::string> words;
    std::istringstream split(line);
    for (std::string word; split >> word;) {
        if (word.ends_with("..."))
            word.resize(word.size() - 3);
        words.insert(word);
    }
    return words;
}

// What a form asks to be typed as it stands: the action, its keywords and options, not the
// values in capitals.
std::set<std::string> keywordsOf(std::string_view usage)
{
    std::set<std::string> keywords = wordsOf(std::string(usage));
    std::erase_if(keywords, [](const std::string& word) {
        return !(std::islower(static_cast<unsigned char>(word.front())) || word.starts_with("--"));
    });
    return keywords;
}

// The term lines of the manual page's ACTIONS section: each starts an action's entry, and the
// entry's text follows it indented by a tab.
std::vector<std::string> actionTerms()
{
    std::ifstream page(KIVO_CLI_MANUAL_PAGE);
    EXPECT_TRUE(page) << "cannot read " << KIVO_CLI_MANUAL_PAGE;
    std::vector<std::string> terms;
    bool inActions = false;
    std::string previous;
    for (std::string line; std::getline(page, line); previous = line) {
        if (line.starts_with("# "))
            inActions = line == "# ACTIONS";
        else if (inActions && line.starts_with('\t') && previous.starts_with('*'))
            terms.push_back(previous);
    }
    return terms;
}

std::string firstWord(const std::string& term)
{
    std::string word = term.substr(0, term.find_first_of(" |"));
    std::erase(word, '*');
    return word;
}

TEST(ManualPage, DescribesEveryFormOfEveryActionAndNoOtherAction)
{
    const std::vector<std::string> terms = actionTerms();
    for (const Action& action : actions()) {
        for (const ActionForm& form : action.forms) {
            const std::set<std::string> keywords = keywordsOf(form.usage);
            const bool described = std::any_of(terms.begin(), terms.end(), [&](const auto& term) {
                const std::set<std::string> words = wordsOf(term);
                return firstWord(term) == action.name &&
                       std::includes(words.begin(), words.end(), keywords.begin(), keywords.end());
            });
            EXPECT_TRUE(described) << "the manual page has no entry for \"" << form.usage << "\"";
        }
    }
    for (const std::string& term : terms)
        EXPECT_NE(findAction(firstWord(term)), nullptr)
            << "the manual page describes an action kivo-cli does not have: " << term;
}

} // namespace
} // namespace kivo::cli
