// The soft keyboard's keys: the rows tile the keyboard, every character
// goes out with a virtual key that no control mistakes for an editing key,
// and Shift, Caps Lock and the pages behave as a user expects.

#include <set>

#include <gtest/gtest.h>

#include "platform/user/SoftKeyboardLayout.h"
#include "platform/user/WinUser.h"

namespace {

using zorun::SoftKeyboardLayout;
using zorun::SoftKeyStroke;
using Action = SoftKeyboardLayout::Action;
using Page = SoftKeyboardLayout::Page;

int Find(const SoftKeyboardLayout& layout, Action action, char16_t character = 0) {
    const auto& keys = layout.Keys();
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i].action == action &&
            (action != Action::Character || keys[i].character == character))
            return static_cast<int>(i);
    ADD_FAILURE() << "no such key: " << static_cast<int>(action) << " " << int(character);
    return -1;
}

std::u16string TypeAll(SoftKeyboardLayout& layout, std::u16string_view keys) {
    std::u16string typed;
    for (char16_t c : keys) {
        const auto stroke = layout.Tap(Find(layout, Action::Character, c));
        if (stroke)
            typed += stroke->character;
    }
    return typed;
}

TEST(SoftKeyboardLayout, EveryPixelOfEveryPageBelongsToExactlyOneKey) {
    SoftKeyboardLayout layout;
    for (Page page : {Page::Letters, Page::Symbols, Page::Accents}) {
        while (layout.CurrentPage() != page)
            layout.Tap(layout.CurrentPage() == Page::Symbols && page == Page::Accents
                           ? Find(layout, Action::SymbolSwitch)
                           : Find(layout, Action::PageSwitch));
        for (int y = 0; y < SoftKeyboardLayout::kHeight; ++y)
            for (int x = 0; x < SoftKeyboardLayout::kWidth; ++x) {
                int owners = 0;
                for (const auto& key : layout.Keys())
                    owners += key.rect.Contains({x, y}) ? 1 : 0;
                ASSERT_EQ(owners, 1) << "page " << int(page) << " at " << x << "," << y;
            }
        EXPECT_EQ(layout.KeyAt({-1, 0}), -1);
        EXPECT_EQ(layout.KeyAt({0, SoftKeyboardLayout::kHeight}), -1);
    }
}

TEST(SoftKeyboardLayout, CharactersNeverGoOutAsEditingKeys) {
    // '.' is 0x2E, VK_DELETE; '%' is VK_LEFT; '$' VK_HOME: sent as their own
    // codes they would edit instead of type.
    SoftKeyboardLayout layout;
    std::set<char16_t> seen;
    for (int round = 0; round < 4; ++round) { // letters, symbols, accents, capitals
        for (std::size_t i = 0; i < layout.Keys().size(); ++i) {
            const auto& key = layout.Keys()[i];
            if (key.action != Action::Character)
                continue;
            const SoftKeyStroke stroke = *layout.StrokeOf(static_cast<int>(i));
            seen.insert(stroke.character);
            const char16_t c = stroke.character;
            if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
                EXPECT_EQ(stroke.virtualKey, 'A' + ((c | 0x20) - u'a'));
            else if (c >= u'0' && c <= u'9')
                EXPECT_EQ(stroke.virtualKey, c);
            else
                EXPECT_EQ(stroke.virtualKey, zorun::kPacketKey) << int(c);
        }
        if (round == 0)
            layout.Tap(Find(layout, Action::PageSwitch));
        else if (round == 1)
            layout.Tap(Find(layout, Action::SymbolSwitch));
        else
            layout.Tap(Find(layout, Action::CapsLock));
    }
    // All of printable ASCII can be typed.
    for (char16_t c = 0x21; c < 0x7F; ++c)
        EXPECT_TRUE(seen.count(c) || (c >= u'A' && c <= u'Z' && seen.count(c + 0x20))) << char(c);
    EXPECT_EQ(*layout.StrokeOf(Find(layout, Action::Space)), (SoftKeyStroke{VK_SPACE, u' '}));
    EXPECT_EQ(*layout.StrokeOf(Find(layout, Action::Enter)), (SoftKeyStroke{VK_RETURN, u'\r'}));
    EXPECT_EQ(*layout.StrokeOf(Find(layout, Action::Backspace)), (SoftKeyStroke{VK_BACK, 0x08}));
    EXPECT_EQ(*layout.StrokeOf(Find(layout, Action::Left)), (SoftKeyStroke{VK_LEFT, 0}));
}

TEST(SoftKeyboardLayout, ShiftHoldsForOneCharacterAndCapsLockUntilTappedAgain) {
    SoftKeyboardLayout layout;
    EXPECT_FALSE(layout.Tap(Find(layout, Action::Shift)));
    EXPECT_TRUE(layout.ShiftOn());
    EXPECT_TRUE(layout.IsLatched(Find(layout, Action::Shift)));
    EXPECT_EQ(*layout.Tap(Find(layout, Action::Character, u'A')), (SoftKeyStroke{'A', u'A'}));
    EXPECT_FALSE(layout.ShiftOn());
    EXPECT_EQ(TypeAll(layout, u"bc"), u"bc");

    // Shift tapped twice is off again; a space keeps it for the next letter.
    layout.Tap(Find(layout, Action::Shift));
    layout.Tap(Find(layout, Action::Shift));
    EXPECT_EQ(TypeAll(layout, u"d"), u"d");
    layout.Tap(Find(layout, Action::Shift));
    layout.Tap(Find(layout, Action::Space));
    EXPECT_EQ(TypeAll(layout, u"E"), u"E");

    layout.Tap(Find(layout, Action::CapsLock));
    EXPECT_EQ(TypeAll(layout, u"FG1"), u"FG1");
    layout.Tap(Find(layout, Action::Shift)); // Shift under Caps Lock: one small letter
    EXPECT_EQ(TypeAll(layout, u"hI"), u"hI");
    layout.Tap(Find(layout, Action::CapsLock));
    EXPECT_EQ(TypeAll(layout, u"j"), u"j");
}

TEST(SoftKeyboardLayout, SymbolPagesAndAccentedCapitals) {
    SoftKeyboardLayout layout;
    layout.Tap(Find(layout, Action::Shift));
    layout.Tap(Find(layout, Action::PageSwitch)); // a page change forgets Shift
    EXPECT_EQ(layout.CurrentPage(), Page::Symbols);
    EXPECT_FALSE(layout.ShiftOn());
    EXPECT_EQ(layout.Label(Find(layout, Action::PageSwitch)), u"abc");
    EXPECT_EQ(TypeAll(layout, u"@.\\"), u"@.\\");

    layout.Tap(Find(layout, Action::SymbolSwitch));
    EXPECT_EQ(layout.CurrentPage(), Page::Accents);
    EXPECT_EQ(TypeAll(layout, u"éñ"), u"éñ");
    layout.Tap(Find(layout, Action::CapsLock));
    EXPECT_EQ(TypeAll(layout, u"ÉÑÆŒŸß"), u"ÉÑÆŒŸß");

    // Back on the letters, Caps Lock still holds; the symbols page comes
    // first again.
    layout.Tap(Find(layout, Action::PageSwitch));
    EXPECT_EQ(layout.CurrentPage(), Page::Letters);
    EXPECT_EQ(TypeAll(layout, u"Z"), u"Z");
    layout.Tap(Find(layout, Action::PageSwitch));
    EXPECT_EQ(layout.CurrentPage(), Page::Symbols);

    // Risen again after going down: letters, no Shift, Caps Lock as it was.
    layout.Tap(Find(layout, Action::SymbolSwitch));
    layout.BackToLetters();
    EXPECT_EQ(layout.CurrentPage(), Page::Letters);
    EXPECT_TRUE(layout.CapsOn());
}

} // namespace

namespace {

// The Japanese build's kana page: between the letters and the symbols, every
// pixel one key, Shift for the voiced, small and (twice) half-voiced
// syllables for one syllable only, Caps Lock for katakana.
TEST(SoftKeyboardLayout, KanaPageTypesEverySyllableOfTheKanaTable) {
    zorun::SoftKeyboardKanaInUse() = true;
    SoftKeyboardLayout layout;
    EXPECT_EQ(layout.Label(Find(layout, Action::PageSwitch)), u"かな");
    layout.Tap(Find(layout, Action::PageSwitch));
    ASSERT_EQ(layout.CurrentPage(), Page::Kana);
    for (int y = 0; y < SoftKeyboardLayout::kHeight; ++y)
        for (int x = 0; x < SoftKeyboardLayout::kWidth; ++x) {
            int owners = 0;
            for (const auto& key : layout.Keys())
                owners += key.rect.Contains({x, y}) ? 1 : 0;
            ASSERT_EQ(owners, 1) << x << "," << y;
        }
    std::u16string all;
    for (const auto& key : layout.Keys())
        if (key.action == Action::Character)
            all += key.character;
    EXPECT_EQ(all, u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもや"
                   u"ゆよらりるれろわをんー、。");

    EXPECT_EQ(TypeAll(layout, u"にほん"), u"にほん");
    // Keys show what they type now.
    layout.Tap(Find(layout, Action::Shift));
    EXPECT_EQ(TypeAll(layout, u"が"), u"が");
    EXPECT_EQ(TypeAll(layout, u"か"), u"か"); // Shift held for one syllable
    layout.Tap(Find(layout, Action::Shift));
    EXPECT_EQ(TypeAll(layout, u"っ"), u"っ");
    layout.Tap(Find(layout, Action::Shift));
    layout.Tap(Find(layout, Action::Shift));
    EXPECT_EQ(layout.ShiftLevel(), 2);
    EXPECT_EQ(TypeAll(layout, u"ぱ"), u"ぱ");
    layout.Tap(Find(layout, Action::Shift));
    layout.Tap(Find(layout, Action::Shift));
    layout.Tap(Find(layout, Action::Shift));
    EXPECT_FALSE(layout.ShiftOn()); // a third tap lets go
    layout.Tap(Find(layout, Action::CapsLock));
    EXPECT_EQ(TypeAll(layout, u"ケーム"), u"ケーム");
    layout.Tap(Find(layout, Action::Shift));
    EXPECT_EQ(TypeAll(layout, u"ゲ"), u"ゲ");
    const auto stroke = layout.StrokeOf(Find(layout, Action::Character, u'ム'));
    ASSERT_TRUE(stroke);
    EXPECT_EQ(stroke->virtualKey, zorun::kPacketKey);

    layout.Tap(Find(layout, Action::PageSwitch));
    EXPECT_EQ(layout.CurrentPage(), Page::Symbols);
    layout.Tap(Find(layout, Action::PageSwitch));
    EXPECT_EQ(layout.CurrentPage(), Page::Letters);
    zorun::SoftKeyboardKanaInUse() = false;
    SoftKeyboardLayout latin;
    latin.Tap(Find(latin, Action::PageSwitch));
    EXPECT_EQ(latin.CurrentPage(), Page::Symbols);
}

} // namespace
