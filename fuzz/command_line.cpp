// Command-line splitting on any UTF-16 text: no crash, and the split never
// yields more characters than it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/kernel/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    std::size_t total = 0;
    for (const auto& arg : zorun::CommandLineToArgv(text))
        total += arg.size();
    if (total > text.size())
        std::abort();
    for (const auto& arg : zorun::SplitArguments(text))
        total += arg.size();
    return 0;
}
