// Command-line splitting on any UTF-16 text. The split never yields more
// characters than it was given, and what it yields survives the trip back:
// the arguments, quoted the standard way and split again, come out the same,
// alone and behind a program name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/kernel/CommandLine.h"

namespace {

// One argument as a caller writes it: in quotes, a backslash run doubled
// before a quote (which is escaped) and before the closing quote.
std::u16string Quote(const std::u16string& arg) {
    std::u16string out = u"\"";
    std::size_t backslashes = 0;
    for (char16_t c : arg) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            out.append(backslashes * 2 + 1, u'\\');
            out.push_back(u'"');
        } else {
            out.append(backslashes, u'\\');
            out.push_back(c);
        }
        backslashes = 0;
    }
    out.append(backslashes * 2, u'\\');
    out.push_back(u'"');
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    std::size_t total = 0;
    for (const auto& arg : zorun::CommandLineToArgv(text))
        total += arg.size();
    if (total > text.size())
        std::abort();

    const std::vector<std::u16string> args = zorun::SplitArguments(text);
    total = 0;
    std::u16string quoted;
    for (const auto& arg : args) {
        total += arg.size();
        quoted += (quoted.empty() ? u"" : u" ") + Quote(arg);
    }
    if (total > text.size())
        std::abort();
    if (zorun::SplitArguments(quoted) != args)
        std::abort();
    std::vector<std::u16string> withProgram{u"prog"};
    withProgram.insert(withProgram.end(), args.begin(), args.end());
    if (zorun::CommandLineToArgv(u"prog " + quoted) != withProgram)
        std::abort();
    return 0;
}
