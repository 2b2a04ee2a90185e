#include "info/FieldTextFit.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace FieldTextFit {

namespace {

std::vector<std::u16string> Words(const std::u16string& text) {
    std::vector<std::u16string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t space = text.find(u' ', start);
        const std::size_t end = space == std::u16string::npos ? text.size() : space;
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::u16string Join(const std::vector<std::u16string>& words, std::size_t from, std::size_t to) {
    std::u16string line;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            line += u' ';
        line += words[i];
    }
    return line;
}

// The words on one line, or on two broken where the wider line is narrowest.
std::optional<std::u16string> OneOrTwoLines(const std::vector<std::u16string>& words,
                                            std::size_t from, int width, const Measure& measure) {
    const std::u16string whole = Join(words, from, words.size());
    if (measure(whole, kFontHeight) <= width)
        return whole;
    std::optional<std::u16string> best;
    int bestWidth = 0;
    for (std::size_t split = from + 1; split < words.size(); ++split) {
        const std::u16string first = Join(words, from, split);
        const std::u16string second = Join(words, split, words.size());
        const int wider = std::max(measure(first, kFontHeight), measure(second, kFontHeight));
        if (wider <= width && (!best || wider < bestWidth)) {
            best = first + u'\n' + second;
            bestWidth = wider;
        }
    }
    return best;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// The longest start of `word` that fits with "..." after it.
std::u16string CutWord(const std::u16string& word, int width, const Measure& measure) {
    for (std::size_t keep = word.size(); keep-- > 0;) {
        if (keep > 0 && IsHighSurrogate(word[keep - 1]))
            continue;
        std::u16string cut = word.substr(0, keep) + u"...";
        if (measure(cut, kFontHeight) <= width)
            return cut;
    }
    return {};
}

} // namespace

Fitted Fit(const std::u16string& text, int width, bool isMessage, const Measure& measure) {
    const Fitted asItIs{text, kFontHeight};
    if (text.empty() || text.find(u'\n') != std::u16string::npos ||
        measure(text, kFontHeight) <= width)
        return asItIs;
    const std::vector<std::u16string> words = Words(text);
    if (words.empty())
        return asItIs;

    if (!isMessage) {
        for (int height = kFontHeight - 1; height >= kSmallestFontHeight; --height)
            if (measure(text, height) <= width)
                return {text, height};
        if (auto lines = OneOrTwoLines(words, 0, width, measure))
            return {*lines, kFontHeight};
        return asItIs;
    }

    for (std::size_t from = 0; from < words.size(); ++from)
        if (auto lines = OneOrTwoLines(words, from, width, measure))
            return {*lines, kFontHeight};
    return {CutWord(words.back(), width, measure), kFontHeight};
}

} // namespace FieldTextFit
