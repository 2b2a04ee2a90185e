#include "platform/kernel/Locale.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/base/IcuLibrary.h"

namespace zorun {

namespace {

std::string& LocaleOverride() {
    static std::string name;
    return name;
}

// The C library's locale modifiers that choose a script or a variant, as
// ICU names them; others (@euro) say nothing about names.
struct Modifier {
    const char* name;
    const char* script;
    const char* variant;
};
constexpr Modifier kModifiers[] = {
    {"latin", "Latn", nullptr},        {"cyrillic", "Cyrl", nullptr},
    {"devanagari", "Deva", nullptr},   {"iqtelif", "Latn", nullptr},
    {"valencia", nullptr, "VALENCIA"},
};

// "de_DE.UTF-8@euro" -> "de_DE"; "sr_RS@latin" -> "sr_Latn_RS";
// "ca_ES.UTF-8@valencia" -> "ca_ES_VALENCIA".
std::string Normalise(std::string name) {
    std::string modifier;
    if (const auto at = name.find('@'); at != std::string::npos) {
        modifier = name.substr(at + 1);
        name.resize(at);
    }
    if (const auto dot = name.find('.'); dot != std::string::npos)
        name.resize(dot);
    if (name.empty() || name == "C" || name == "POSIX")
        return "en_US";
    for (const Modifier& known : kModifiers) {
        if (modifier != known.name)
            continue;
        const auto underscore = name.find('_');
        const std::string language = name.substr(0, underscore);
        const std::string country =
            underscore == std::string::npos ? std::string() : name.substr(underscore);
        if (known.script)
            return language + "_" + known.script + country;
        return name + (country.empty() ? "__" : "_") + known.variant;
    }
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

// Every text of a locale, asked of ICU at once.
struct LocaleTexts {
    std::u16string language, country, nativeLanguage, englishLanguage, englishCountry, iso639,
        iso3166;
};

std::optional<LocaleTexts> ReadLocaleTexts(const std::string& name) {
    const IcuLibrary* icu = Icu();
    if (!icu)
        return std::nullopt;
    const char* locale = name.c_str();
    LocaleTexts t;
    t.language = DisplayName(icu->displayName, locale, locale);
    t.country = DisplayName(icu->displayCountry, locale, locale);
    t.nativeLanguage = DisplayName(icu->displayLanguage, locale, locale);
    t.englishLanguage = DisplayName(icu->displayLanguage, locale, "en");
    t.englishCountry = DisplayName(icu->displayCountry, locale, "en");
    t.iso639 = Code(icu->language, locale);
    t.iso3166 = Code(icu->country, locale);
    return t;
}

} // namespace

std::optional<std::u16string> LocaleText(LCTYPE type) {
    // The names do not change while the locale does not: read once per
    // locale, and ICU let go of again (the panel asks every few seconds).
    static std::string readFor;
    static std::optional<LocaleTexts> texts;
    const std::string name = ProcessLocaleName();
    if (!texts || readFor != name) {
        texts = ReadLocaleTexts(name);
        readFor = name;
        UnloadIcu();
    }
    if (!texts)
        return std::nullopt;
    switch (type) {
    case LOCALE_SLANGUAGE:
        return texts->language;
    case LOCALE_SCOUNTRY:
    case LOCALE_SNATIVECTRYNAME:
        return texts->country;
    case LOCALE_SNATIVELANGNAME:
        return texts->nativeLanguage;
    case LOCALE_SENGLANGUAGE:
        return texts->englishLanguage;
    case LOCALE_SENGCOUNTRY:
        return texts->englishCountry;
    case LOCALE_SISO639LANGNAME:
        return texts->iso639;
    case LOCALE_SISO3166CTRYNAME:
        return texts->iso3166;
    default:
        return std::nullopt;
    }
}

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
    const std::optional<std::u16string> found = zorun::LocaleText(type);
    if (!found)
        return 0;
    const std::u16string& text = *found;
    const int needed = static_cast<int>(text.size()) + 1;
    if (capacity == 0)
        return needed;
    if (!buffer || capacity < needed)
        return 0;
    text.copy(buffer, text.size());
    buffer[text.size()] = 0;
    return needed;
}
