#include "platform/kernel/Locale.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/IcuLibrary.h"

namespace zorun {

namespace {

std::string& LocaleOverride() {
    static std::string name;
    return name;
}

// "de_DE.UTF-8@euro" -> "de_DE".
std::string Normalise(std::string name) {
    if (const auto at = name.find('@'); at != std::string::npos)
        name.resize(at);
    if (const auto dot = name.find('.'); dot != std::string::npos)
        name.resize(dot);
    if (name.empty() || name == "C" || name == "POSIX")
        return "en_US";
    return name;
}

// A display name from one of ICU's uloc_getDisplay* functions.
template <typename Function>
std::u16string DisplayName(Function function, const char* locale, const char* inLocale) {
    UChar buffer[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = function(locale, inLocale, buffer, 256, &status);
    if (U_FAILURE(status) || length < 0)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(buffer),
                          static_cast<std::size_t>(std::min<int32_t>(length, 256)));
}

// A code from uloc_getLanguage or uloc_getCountry.
template <typename Function> std::u16string Code(Function function, const char* locale) {
    char buffer[64];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = function(locale, buffer, sizeof buffer, &status);
    std::u16string out;
    if (U_FAILURE(status) || length < 0)
        return out;
    for (int32_t i = 0; i < std::min<int32_t>(length, sizeof buffer); ++i)
        out.push_back(static_cast<unsigned char>(buffer[i]));
    return out;
}

} // namespace

std::string ProcessLocaleName() {
    if (!LocaleOverride().empty())
        return Normalise(LocaleOverride());
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); value && *value)
            return Normalise(value);
    return Normalise("");
}

void SetProcessLocaleName(const std::string& name) {
    LocaleOverride() = name;
}

} // namespace zorun

int GetLocaleInfoW(LCID /*locale*/, LCTYPE type, char16_t* buffer, int capacity) {
    const zorun::IcuLibrary* icu = zorun::Icu();
    if (!icu)
        return 0;
    const std::string name = zorun::ProcessLocaleName();
    const char* locale = name.c_str();
    std::u16string text;
    switch (type) {
    case LOCALE_SLANGUAGE:
        text = zorun::DisplayName(icu->displayName, locale, locale);
        break;
    case LOCALE_SCOUNTRY:
    case LOCALE_SNATIVECTRYNAME:
        text = zorun::DisplayName(icu->displayCountry, locale, locale);
        break;
    case LOCALE_SNATIVELANGNAME:
        text = zorun::DisplayName(icu->displayLanguage, locale, locale);
        break;
    case LOCALE_SENGLANGUAGE:
        text = zorun::DisplayName(icu->displayLanguage, locale, "en");
        break;
    case LOCALE_SENGCOUNTRY:
        text = zorun::DisplayName(icu->displayCountry, locale, "en");
        break;
    case LOCALE_SISO639LANGNAME:
        text = zorun::Code(icu->language, locale);
        break;
    case LOCALE_SISO3166CTRYNAME:
        text = zorun::Code(icu->country, locale);
        break;
    default:
        return 0;
    }
    const int needed = static_cast<int>(text.size()) + 1;
    if (capacity == 0)
        return needed;
    if (!buffer || capacity < needed)
        return 0;
    text.copy(buffer, text.size());
    buffer[text.size()] = 0;
    return needed;
}
