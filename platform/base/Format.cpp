#include "platform/base/Format.h"

#include <cstdio>

#include "platform/base/Text.h"

namespace zorun {

namespace {

struct Spec {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

std::int64_t AsSigned(const FormatArg::Value& v) {
    if (auto p = std::get_if<std::int64_t>(&v))
        return *p;
    if (auto p = std::get_if<std::uint64_t>(&v))
        return static_cast<std::int64_t>(*p);
    if (auto p = std::get_if<double>(&v))
        return static_cast<std::int64_t>(*p);
    return 0;
}

double AsDouble(const FormatArg::Value& v) {
    if (auto p = std::get_if<double>(&v))
        return *p;
    if (auto p = std::get_if<std::uint64_t>(&v))
        return static_cast<double>(*p);
    return static_cast<double>(AsSigned(v));
}

// Pads UTF-16 text to the width, left or right aligned.
std::u16string Pad(std::u16string text, const Spec& spec) {
    if (spec.width > 0 && static_cast<int>(text.size()) < spec.width) {
        std::u16string fill(static_cast<std::size_t>(spec.width) - text.size(), u' ');
        if (spec.flags.find('-') != std::string::npos)
            text += fill;
        else
            text = fill + text;
    }
    return text;
}

std::u16string FormatNumber(const Spec& spec, const FormatArg::Value& v) {
    std::string f = "%" + spec.flags;
    if (spec.width >= 0)
        f += std::to_string(spec.width);
    if (spec.precision >= 0)
        f += "." + std::to_string(spec.precision);
    // Width and precision are capped at 4096, so this always fits.
    char buffer[4096 * 2 + 64];
    switch (spec.conversion) {
    case 'd':
    case 'i':
        f += "lld";
        std::snprintf(buffer, sizeof buffer, f.c_str(), static_cast<long long>(AsSigned(v)));
        break;
    case 'u':
    case 'x':
    case 'X':
        f += "ll";
        f += spec.conversion;
        std::snprintf(buffer, sizeof buffer, f.c_str(),
                      static_cast<unsigned long long>(AsSigned(v)));
        break;
    default: // f e g E G
        f += spec.conversion;
        std::snprintf(buffer, sizeof buffer, f.c_str(), AsDouble(v));
        break;
    }
    return FromUtf8(buffer);
}

} // namespace

std::u16string FormatArgs(std::u16string_view format, const std::vector<FormatArg>& args) {
    std::u16string out;
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        char16_t c = format[i++];
        if (c != u'%' || i >= format.size()) {
            out += c;
            continue;
        }
        if (format[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        Spec spec;
        while (i < format.size() &&
               std::u16string_view(u"-+ 0#").find(format[i]) != std::u16string_view::npos)
            spec.flags += static_cast<char>(format[i++]);
        auto readNumber = [&](int& into) {
            if (i < format.size() && format[i] == u'*') {
                ++i;
                into = next < args.size() ? static_cast<int>(AsSigned(args[next++].Get())) : 0;
                return;
            }
            while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
                if (into < 0)
                    into = 0;
                into = std::min(into * 10 + (format[i] - u'0'), 4096);
                ++i;
            }
        };
        readNumber(spec.width);
        if (i < format.size() && format[i] == u'.') {
            ++i;
            spec.precision = 0;
            readNumber(spec.precision);
        }
        // Length modifiers carry no meaning here: arguments are typed.
        while (i < format.size() &&
               std::u16string_view(u"hlLqjzt").find(format[i]) != std::u16string_view::npos)
            ++i;
        if (i >= format.size())
            break;
        char16_t conv = format[i++];
        const FormatArg::Value* value = next < args.size() ? &args[next++].Get() : nullptr;
        switch (conv) {
        case u's':
        case u'S': {
            std::u16string text;
            if (value) {
                if (auto s = std::get_if<std::u16string_view>(value))
                    text = *s;
                else {
                    Spec asNumber;
                    asNumber.conversion = std::holds_alternative<double>(*value) ? 'g' : 'd';
                    text = FormatNumber(asNumber, *value);
                }
            }
            if (spec.precision >= 0 && static_cast<int>(text.size()) > spec.precision)
                text.resize(static_cast<std::size_t>(spec.precision));
            out += Pad(text, spec);
            break;
        }
        case u'c':
        case u'C': {
            std::u16string text;
            if (value && !std::holds_alternative<std::u16string_view>(*value))
                text += static_cast<char16_t>(AsSigned(*value));
            out += Pad(text, spec);
            break;
        }
        case u'd':
        case u'i':
        case u'u':
        case u'x':
        case u'X':
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
            spec.conversion = static_cast<char>(conv);
            if (value && !std::holds_alternative<std::u16string_view>(*value))
                out += FormatNumber(spec, *value);
            break;
        default:
            // Unknown conversions are written as they stand.
            out += u'%';
            out += conv;
            if (value)
                --next;
            break;
        }
    }
    return out;
}

} // namespace zorun
