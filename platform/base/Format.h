#pragma once
// printf-style formatting into UTF-16: %s (UTF-16 text), %d %i %u %x %X %c,
// %f %e %g with flags, width and precision (%3.1f), and %%. Arguments are
// typed, so a mismatch formats safely instead of reading garbage: a missing
// argument formats as nothing, a number given to %s is written as a number.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zorun {

class FormatArg {
  public:
    FormatArg(int v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned v) : value_(static_cast<std::uint64_t>(v)) {}
    FormatArg(unsigned long v) : value_(static_cast<std::uint64_t>(v)) {}
    FormatArg(unsigned long long v) : value_(static_cast<std::uint64_t>(v)) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(char16_t c) : value_(static_cast<std::int64_t>(c)) {}
    FormatArg(std::u16string_view s) : value_(s) {}
    FormatArg(const std::u16string& s) : value_(std::u16string_view(s)) {}
    FormatArg(const char16_t* s) : value_(std::u16string_view(s ? s : u"(null)")) {}

    using Value = std::variant<std::int64_t, std::uint64_t, double, std::u16string_view>;
    [[nodiscard]] const Value& Get() const { return value_; }

  private:
    Value value_;
};

[[nodiscard]] std::u16string FormatArgs(std::u16string_view format,
                                        const std::vector<FormatArg>& args);

template <typename... Args>
[[nodiscard]] std::u16string Format(std::u16string_view format, const Args&... args) {
    return FormatArgs(format, std::vector<FormatArg>{FormatArg(args)...});
}

} // namespace zorun
