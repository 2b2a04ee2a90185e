#include "platform/kernel/CommandLine.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/base/Text.h"
#include "tests/support/Corpora.h"

using zorun::CommandLineToArgv;
using zorun::FromUtf8;
using zorun::SplitArguments;

namespace {

// The corpus writes TAB, CR and LF as visible symbols and joins arguments
// with U+241F.
std::u16string Unescape(std::u16string s) {
    for (auto& c : s) {
        if (c == u'\u2409')
            c = u'\t';
        else if (c == u'\u240D')
            c = u'\r';
        else if (c == u'\u240A')
            c = u'\n';
    }
    return s;
}

std::vector<std::u16string> SplitOn(const std::u16string& s, char16_t sep) {
    std::vector<std::u16string> out;
    std::size_t start = 0;
    for (;;) {
        auto end = s.find(sep, start);
        out.push_back(s.substr(start, end == std::u16string::npos ? end : end - start));
        if (end == std::u16string::npos)
            return out;
        start = end + 1;
    }
}

} // namespace

TEST(CommandLine, EveryCorpusCaseSplitsAsOnTheDevice) {
    const auto file = Corpus("cmdline/cases.tsv");
    std::ifstream in(file);
    if (!in)
        SKIP_WITHOUT_CORPUS("command-line corpus");
    std::string line;
    int cases = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        auto cols = SplitOn(FromUtf8(line), u'\t');
        ASSERT_GE(cols.size(), 6u) << line;
        const auto id = zorun::ToUtf8(cols[0]);
        const auto input = Unescape(cols[2]);
        const auto argc = std::stoul(zorun::ToUtf8(cols[3]));
        const auto from = std::stoul(zorun::ToUtf8(cols[4]));
        const auto argv = CommandLineToArgv(input);
        EXPECT_EQ(argv.size(), argc) << id;
        if (argv.size() != argc)
            continue;
        std::vector<std::u16string> expected;
        if (argc > from)
            expected = SplitOn(Unescape(cols[5]), u'\u241F');
        ASSERT_EQ(expected.size(), argc - from) << id;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(zorun::ToUtf8(argv[from + i]), zorun::ToUtf8(expected[i]))
                << id << " argument " << from + i;
        ++cases;
    }
    EXPECT_EQ(cases, 62);
}

TEST(CommandLine, ArgumentStringWithoutProgramName) {
    // The argument string of CreateProcessW: the first word is an argument,
    // with escapes, not a program name.
    EXPECT_TRUE(SplitArguments(u"").empty());
    EXPECT_TRUE(SplitArguments(u" \t ").empty());
    EXPECT_EQ(SplitArguments(u"\"a b\"c \\\"d"), (std::vector<std::u16string>{u"a bc", u"\"d"}));
    EXPECT_EQ(SplitArguments(u"Zorun.htm#Main_Contents"),
              (std::vector<std::u16string>{u"Zorun.htm#Main_Contents"}));
    EXPECT_EQ(SplitArguments(u"\"\""), (std::vector<std::u16string>{u""}));
}
