#include "platform/kernel/CommandLine.h"

namespace zorun {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Arguments after the program name. `i` points at the first character that is
// not a separator (or the end).
void SplitRest(std::u16string_view s, std::size_t i, std::vector<std::u16string>& out) {
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i >= s.size())
        return;
    std::u16string arg;
    int quotes = 0;          // quote state: 0 outside, 1 inside; runs count up to 3
    std::size_t slashes = 0; // backslashes just copied to `arg`
    while (i < s.size()) {
        const char16_t c = s[i];
        if (IsBlank(c) && quotes == 0) {
            out.push_back(std::move(arg));
            arg.clear();
            slashes = 0;
            while (i < s.size() && IsBlank(s[i]))
                ++i;
            if (i >= s.size())
                return;
            continue;
        }
        if (c == u'\\') {
            arg.push_back(c);
            ++slashes;
            ++i;
            continue;
        }
        if (c == u'"') {
            if (slashes % 2 == 0) {
                // 2n backslashes and a quote: n backslashes, the quote toggles.
                arg.resize(arg.size() - slashes / 2);
                ++quotes;
            } else {
                // 2n+1 backslashes and a quote: n backslashes and a literal quote.
                arg.resize(arg.size() - slashes / 2 - 1);
                arg.push_back(u'"');
            }
            slashes = 0;
            ++i;
            // A run of quotes: every third one (counting the state already
            // reached) is a literal quote.
            while (i < s.size() && s[i] == u'"') {
                if (++quotes == 3) {
                    arg.push_back(u'"');
                    quotes = 0;
                }
                ++i;
            }
            if (quotes == 2)
                quotes = 0;
            continue;
        }
        arg.push_back(c);
        slashes = 0;
        ++i;
    }
    out.push_back(std::move(arg));
}

} // namespace

std::vector<std::u16string> CommandLineToArgv(std::u16string_view s) {
    std::vector<std::u16string> out;
    std::size_t i = 0;
    std::u16string first;
    if (!s.empty() && s[0] == u'"') {
        // A quoted program name ends at the next quote; no escapes.
        i = 1;
        while (i < s.size() && s[i] != u'"')
            first.push_back(s[i++]);
        if (i < s.size())
            ++i;
    } else {
        // Unquoted, it ends at any control character or blank.
        while (i < s.size() && s[i] > u' ')
            first.push_back(s[i++]);
        if (i < s.size())
            ++i;
    }
    out.push_back(std::move(first));
    SplitRest(s, i, out);
    return out;
}

std::vector<std::u16string> SplitArguments(std::u16string_view arguments) {
    std::vector<std::u16string> out;
    SplitRest(arguments, 0, out);
    return out;
}

} // namespace zorun
