#include "platform/user/SoftKeyboardLayout.h"

#include <array>
#include <string_view>

#include "platform/user/WinUser.h"

namespace zorun {

namespace {

using Action = SoftKeyboardLayout::Action;
using Page = SoftKeyboardLayout::Page;

// A run of character keys of one width: what each types on the three pages
// (letters in lower case; the same number of characters on each page).
struct CharacterRun {
    int width;
    std::u16string_view letters, symbols, accents;
};

// One slot of a row: a run of character keys, or one other key.
struct Slot {
    int width;
    Action action;
    CharacterRun run{};
};

constexpr int kKeyWidth = 24;

// Rows of 240 pixels each, top to bottom.
const std::array<std::vector<Slot>, 5> kRows{{
    {{0, Action::Character, {kKeyWidth, u"1234567890", u"!@#$%^&*()", u"àáâäãåæçèé"}}},
    {{0, Action::Character, {kKeyWidth, u"qwertyuiop", u"-_=+[]{}\\|", u"êëìíîïñòóô"}}},
    {{kKeyWidth, Action::CapsLock},
     {0, Action::Character, {kKeyWidth, u"asdfghjkl", u";:'\"`~<>/", u"öõøœùúûüß"}}},
    {{36, Action::Shift},
     {0, Action::Character, {kKeyWidth, u"zxcvbnm", u"?€£¥¢§°", u"ýÿ¿¡«»µ"}},
     {36, Action::Backspace}},
    {{32, Action::PageSwitch},
     {0, Action::Character, {16, u",", u",", u","}},
     {80, Action::Space},
     {0, Action::Character, {16, u".", u".", u"."}},
     {16, Action::Left},
     {16, Action::Up},
     {16, Action::Down},
     {16, Action::Right},
     {32, Action::Enter}},
}};

// The kana page: four rows of syllables in the order of the kana table, then
// the bottom row of the other pages with the Japanese comma and full stop.
const std::array<std::vector<Slot>, 5> kKanaRows{{
    {{0, Action::Character, {20, u"あいうえおかきくけこさし", {}, {}}}},
    {{0, Action::Character, {20, u"すせそたちつてとなにぬね", {}, {}}}},
    {{kKeyWidth, Action::CapsLock},
     {0, Action::Character, {18, u"のはひふへほまみむめもや", {}, {}}}},
    {{kKeyWidth, Action::Shift},
     {0, Action::Character, {18, u"ゆよらりるれろわをんー", {}, {}}},
     {18, Action::Backspace}},
    {{32, Action::PageSwitch},
     {0, Action::Character, {16, u"、", {}, {}}},
     {80, Action::Space},
     {0, Action::Character, {16, u"。", {}, {}}},
     {16, Action::Left},
     {16, Action::Up},
     {16, Action::Down},
     {16, Action::Right},
     {32, Action::Enter}},
}};

// A syllable with Shift: level 1 the voiced or small one, level 2 the
// half-voiced one (the ha row, and "zu" for "tsu"; others as at level 1).
char16_t KanaVariant(char16_t c, int level) {
    if (level == 0)
        return c;
    constexpr std::u16string_view plain =
        u"かきくけこさしすせそたちてとはひふへほあいうえおやゆよわつ";
    constexpr std::u16string_view voiced =
        u"がぎぐげござじずぜぞだぢでどばびぶべぼぁぃぅぇぉゃゅょゎっ";
    constexpr std::u16string_view halfVoiced = u"ぱぴぷぺぽ";
    const std::size_t at = plain.find(c);
    if (at == std::u16string_view::npos)
        return c;
    if (level == 2 && c >= u'は' && c <= u'ほ')
        return halfVoiced[at - plain.find(u'は')];
    if (level == 2 && c == u'つ')
        return u'づ';
    return voiced[at];
}

// Katakana sit 0x60 above their hiragana (the long-vowel mark is shared).
char16_t Katakana(char16_t c) {
    return c >= 0x3041 && c <= 0x3096 ? static_cast<char16_t>(c + 0x60) : c;
}

int VirtualKeyOf(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return 'A' + (c - u'a');
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return c;
    return kPacketKey;
}

} // namespace

char16_t CapitalOf(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    // Latin-1 small letters from à to þ, except the division sign.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) // ÿ
        return 0x178;
    if (c == 0x153) // œ
        return 0x152;
    return c;
}

SoftKeyboardLayout::SoftKeyboardLayout() {
    Build();
}

void SoftKeyboardLayout::BackToLetters() {
    page_ = Page::Letters;
    shift_ = false;
    kanaShift_ = 0;
    Build();
}

void SoftKeyboardLayout::Build() {
    keys_.clear();
    // Letters are capitals with Shift or Caps Lock (not both); accented
    // letters with Caps Lock, since their page has no Shift.
    const bool capitals = page_ == Page::Letters ? shift_ != caps_ : caps_;
    const auto& rows = page_ == Page::Kana ? kKanaRows : kRows;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const int top = static_cast<int>(row) * kRowHeight;
        int x = 0;
        for (const Slot& slot : rows[row]) {
            if (slot.action != Action::Character) {
                Action action = slot.action;
                if (action == Action::Shift && page_ != Page::Letters && page_ != Page::Kana)
                    action = Action::SymbolSwitch;
                keys_.push_back({{x, top, x + slot.width, top + kRowHeight}, action, 0});
                x += slot.width;
                continue;
            }
            const std::u16string_view chars = page_ == Page::Letters || page_ == Page::Kana
                                                  ? slot.run.letters
                                              : page_ == Page::Symbols ? slot.run.symbols
                                                                       : slot.run.accents;
            for (char16_t c : chars) {
                char16_t typed = capitals ? CapitalOf(c) : c;
                if (page_ == Page::Kana) {
                    typed = KanaVariant(c, kanaShift_);
                    if (caps_)
                        typed = Katakana(typed);
                }
                keys_.push_back(
                    {{x, top, x + slot.run.width, top + kRowHeight}, Action::Character, typed});
                x += slot.run.width;
            }
        }
    }
}

int SoftKeyboardLayout::KeyAt(Point p) const {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].rect.Contains(p))
            return static_cast<int>(i);
    return -1;
}

bool SoftKeyboardLayout::IsLatched(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= keys_.size())
        return false;
    const Action a = keys_[static_cast<std::size_t>(index)].action;
    return (a == Action::Shift && (shift_ || kanaShift_ > 0)) || (a == Action::CapsLock && caps_);
}

std::u16string SoftKeyboardLayout::Label(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= keys_.size())
        return {};
    const Key& key = keys_[static_cast<std::size_t>(index)];
    switch (key.action) {
    case Action::Character:
        return std::u16string(1, key.character);
    case Action::PageSwitch:
        if (page_ == Page::Letters)
            return SoftKeyboardKanaInUse() ? u"かな" : u"#+=";
        return page_ == Page::Kana ? u"#+=" : u"abc";
    case Action::SymbolSwitch:
        return page_ == Page::Symbols ? u"\u00E0\u00E9" : u"#+=";
    default:
        return {};
    }
}

std::optional<SoftKeyStroke> SoftKeyboardLayout::StrokeOf(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= keys_.size())
        return std::nullopt;
    const Key& key = keys_[static_cast<std::size_t>(index)];
    switch (key.action) {
    case Action::Character:
        return SoftKeyStroke{VirtualKeyOf(key.character), key.character};
    case Action::Backspace:
        return SoftKeyStroke{VK_BACK, 0x08};
    case Action::Enter:
        return SoftKeyStroke{VK_RETURN, u'\r'};
    case Action::Space:
        return SoftKeyStroke{VK_SPACE, u' '};
    case Action::Left:
        return SoftKeyStroke{VK_LEFT, 0};
    case Action::Up:
        return SoftKeyStroke{VK_UP, 0};
    case Action::Down:
        return SoftKeyStroke{VK_DOWN, 0};
    case Action::Right:
        return SoftKeyStroke{VK_RIGHT, 0};
    default:
        return std::nullopt;
    }
}

std::optional<SoftKeyStroke> SoftKeyboardLayout::Tap(int index) {
    const std::optional<SoftKeyStroke> stroke = StrokeOf(index);
    if (index < 0 || static_cast<std::size_t>(index) >= keys_.size())
        return stroke;
    const Key key = keys_[static_cast<std::size_t>(index)];
    switch (key.action) {
    case Action::Character:
        if (!shift_ && kanaShift_ == 0)
            return stroke;
        shift_ = false;
        kanaShift_ = 0;
        break;
    case Action::Shift:
        if (page_ == Page::Kana)
            kanaShift_ = (kanaShift_ + 1) % 3;
        else
            shift_ = !shift_;
        break;
    case Action::CapsLock:
        caps_ = !caps_;
        shift_ = false;
        break;
    case Action::PageSwitch:
        // Letters, (kana,) symbols, and back to the letters.
        if (page_ == Page::Letters)
            page_ = SoftKeyboardKanaInUse() ? Page::Kana : Page::Symbols;
        else
            page_ = page_ == Page::Kana ? Page::Symbols : Page::Letters;
        shift_ = false;
        kanaShift_ = 0;
        break;
    case Action::SymbolSwitch:
        page_ = page_ == Page::Symbols ? Page::Accents : Page::Symbols;
        break;
    default:
        return stroke;
    }
    Build();
    return stroke;
}

bool SoftKeyboardLayout::Repeats(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= keys_.size())
        return false;
    switch (keys_[static_cast<std::size_t>(index)].action) {
    case Action::Backspace:
    case Action::Left:
    case Action::Up:
    case Action::Down:
    case Action::Right:
        return true;
    default:
        return false;
    }
}

} // namespace zorun
