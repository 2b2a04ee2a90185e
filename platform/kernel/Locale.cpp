#include "platform/kernel/Locale.h"

#include <cstdlib>
#include <unicode/locid.h>
#include <unicode/unistr.h>

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

std::u16string ToText(const icu::UnicodeString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()),
                          static_cast<std::size_t>(s.length()));
}

std::u16string Ascii(const char* s) {
    std::u16string out;
    for (; s && *s; ++s)
        out.push_back(static_cast<unsigned char>(*s));
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
    const icu::Locale locale(zorun::ProcessLocaleName().c_str());
    const icu::Locale english("en");
    icu::UnicodeString name;
    std::u16string text;
    switch (type) {
    case LOCALE_SLANGUAGE:
        text = zorun::ToText(locale.getDisplayName(locale, name));
        break;
    case LOCALE_SCOUNTRY:
    case LOCALE_SNATIVECTRYNAME:
        text = zorun::ToText(locale.getDisplayCountry(locale, name));
        break;
    case LOCALE_SNATIVELANGNAME:
        text = zorun::ToText(locale.getDisplayLanguage(locale, name));
        break;
    case LOCALE_SENGLANGUAGE:
        text = zorun::ToText(locale.getDisplayLanguage(english, name));
        break;
    case LOCALE_SENGCOUNTRY:
        text = zorun::ToText(locale.getDisplayCountry(english, name));
        break;
    case LOCALE_SISO639LANGNAME:
        text = zorun::Ascii(locale.getLanguage());
        break;
    case LOCALE_SISO3166CTRYNAME:
        text = zorun::Ascii(locale.getCountry());
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
