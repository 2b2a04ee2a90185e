// Every language build carries the same resources under the same numbers as
// the English one: a string, a menu item, a dialog control or a picture
// missing (or of another size) in one language fails here.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Icon.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"
#include "res/LanguageResources.h"
#include "tests/resources/Languages.h"

namespace {

using zorun::res::LanguageResources;

template <class Entry, class Key>
std::map<Key, const Entry*> ByKey(const std::vector<std::span<const Entry>>& tables,
                                  Key (*key)(const Entry&)) {
    std::map<Key, const Entry*> entries;
    for (const auto& table : tables)
        for (const Entry& entry : table)
            entries.emplace(key(entry), &entry);
    return entries;
}

UINT StringKey(const zorun::StringResource& s) {
    return s.id;
}
int MenuKey(const zorun::MenuTemplate& m) {
    return m.number;
}
int ToolBarKey(const zorun::ToolBarTemplate& t) {
    return t.number;
}
int DialogKey(const zorun::DialogTemplate& d) {
    return d.number;
}
std::pair<int, int> PictureKey(const zorun::EmbeddedPicture& p) {
    return {static_cast<int>(p.kind), p.number};
}

template <class Map> std::set<typename Map::key_type> Keys(const Map& map) {
    std::set<typename Map::key_type> keys;
    for (const auto& [key, value] : map)
        keys.insert(key);
    return keys;
}

class EveryLanguage : public testing::TestWithParam<const LanguageResources*> {
  protected:
    const LanguageResources& english = zorun::res::English();
    const LanguageResources& language = *GetParam();
};

TEST_P(EveryLanguage, HasEveryStringOfEnglishAndNoOther) {
    const auto strings = ByKey(language.platform.strings, StringKey);
    EXPECT_EQ(Keys(strings), Keys(ByKey(english.platform.strings, StringKey)));
    for (const auto& [id, s] : strings) {
        ASSERT_NE(s->text, nullptr) << "string " << id;
        EXPECT_NE(s->text[0], u'\0') << "string " << id;
    }
}

// Menus: the same items at the same places with the same commands and
// flags; only the texts differ.
TEST_P(EveryLanguage, HasEveryMenuItemOfEnglish) {
    const auto menus = ByKey(language.platform.menus, MenuKey);
    const auto englishMenus = ByKey(english.platform.menus, MenuKey);
    ASSERT_EQ(Keys(menus), Keys(englishMenus));
    for (const auto& [number, menu] : menus) {
        const auto& items = menu->items;
        const auto& englishItems = englishMenus.at(number)->items;
        ASSERT_EQ(items.size(), englishItems.size()) << "menu " << number;
        for (std::size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE("menu " + std::to_string(number) + " item " + std::to_string(i));
            EXPECT_EQ(items[i].level, englishItems[i].level);
            EXPECT_EQ(items[i].flags, englishItems[i].flags);
            EXPECT_EQ(items[i].id, englishItems[i].id);
            EXPECT_EQ(items[i].text == nullptr, englishItems[i].text == nullptr);
            if (items[i].text) {
                EXPECT_NE(items[i].text[0], u'\0');
            }
        }
    }
    const auto toolBars = ByKey(language.platform.toolBars, ToolBarKey);
    const auto englishToolBars = ByKey(english.platform.toolBars, ToolBarKey);
    ASSERT_EQ(Keys(toolBars), Keys(englishToolBars));
    for (const auto& [number, toolBar] : toolBars) {
        EXPECT_EQ(toolBar->bitmap, englishToolBars.at(number)->bitmap);
        EXPECT_TRUE(std::ranges::equal(toolBar->commands, englishToolBars.at(number)->commands));
    }
}

// Dialogs: the same size, style and controls (class, id, style) in the same
// order; captions, control texts and the room they take are the language's.
TEST_P(EveryLanguage, HasEveryDialogOfEnglishWithTheSameControls) {
    const auto dialogs = ByKey(language.platform.dialogs, DialogKey);
    const auto englishDialogs = ByKey(english.platform.dialogs, DialogKey);
    ASSERT_EQ(Keys(dialogs), Keys(englishDialogs));
    for (const auto& [number, dialog] : dialogs) {
        const zorun::DialogTemplate& en = *englishDialogs.at(number);
        SCOPED_TRACE("dialog " + std::to_string(number));
        EXPECT_EQ(dialog->cx, en.cx);
        EXPECT_EQ(dialog->cy, en.cy);
        EXPECT_EQ(dialog->style, en.style);
        ASSERT_EQ(dialog->items.size(), en.items.size());
        for (std::size_t i = 0; i < en.items.size(); ++i) {
            const auto& item = dialog->items[i];
            const auto& enItem = en.items[i];
            SCOPED_TRACE("control " + std::to_string(i));
            EXPECT_EQ(std::u16string_view(item.className), std::u16string_view(enItem.className));
            EXPECT_EQ(item.id, enItem.id);
            EXPECT_EQ(item.style, enItem.style);
            EXPECT_EQ(item.text == nullptr, enItem.text == nullptr);
        }
    }
}

// Pictures: the same numbers at the same sizes, each one decoding (bitmaps
// opaque whatever the artwork's alpha).
TEST_P(EveryLanguage, HasEveryPictureOfEnglishAtItsSize) {
    const auto pictures = ByKey(language.platform.pictures, PictureKey);
    ASSERT_EQ(Keys(pictures), Keys(ByKey(english.platform.pictures, PictureKey)));
    std::map<std::pair<int, int>, std::pair<int, int>> sizes;
    for (const LanguageResources* which : {&english, &language}) {
        zorun::res::UseLanguage(*which);
        for (const auto& [key, picture] : pictures) {
            const auto [kind, number] = key;
            SCOPED_TRACE((kind ? "icon " : "bitmap ") + std::to_string(number));
            std::pair<int, int> size;
            if (picture->kind == zorun::PictureKind::Icon) {
                HICON icon = LoadIconW(nullptr, number);
                ASSERT_NE(icon, nullptr);
                SIZE iconSize{};
                ASSERT_TRUE(zorun::GetIconSize(icon, &iconSize));
                size = {iconSize.cx, iconSize.cy};
                DestroyIcon(icon);
            } else {
                HBITMAP bitmap = LoadBitmapW(nullptr, number);
                ASSERT_NE(bitmap, nullptr);
                BITMAP bm{};
                ASSERT_EQ(GetObjectW(bitmap, sizeof bm, &bm), int(sizeof bm));
                size = {bm.bmWidth, bm.bmHeight};
                const zorun::Surface* px = zorun::SurfaceOfBitmap(bitmap);
                ASSERT_NE(px, nullptr);
                for (std::uint32_t v : px->Pixels())
                    ASSERT_EQ(v >> 24, 0xFFu);
                DeleteObject(bitmap);
            }
            EXPECT_GT(size.first, 0);
            auto [known, fresh] = sizes.emplace(key, size);
            if (!fresh) {
                EXPECT_EQ(known->second, size) << "differs from English";
            }
        }
    }
    zorun::res::UseLanguage(english);
}

TEST_P(EveryLanguage, NamesEveryTextOfTheDefaultCatalogue) {
    const DefaultCatalogueTexts& texts = language.defaultCatalogue;
    // The struct is all text pointers: none may be missing or empty.
    const auto* first = reinterpret_cast<const char16_t* const*>(&texts);
    const std::size_t count = sizeof texts / sizeof(const char16_t*);
    for (std::size_t i = 0; i < count; ++i) {
        ASSERT_NE(first[i], nullptr) << "text " << i;
        EXPECT_NE(first[i][0], u'\0') << "text " << i;
    }
    // The default groups are told apart by name, ignoring nothing.
    std::set<std::u16string> groups(std::begin(texts.groupNames), std::end(texts.groupNames));
    EXPECT_EQ(groups.size(), 4u);
}

// The help page is the language's own and has every place English has, so
// the program's links into it ("Zorun.htm#Main_Contents") land in each build.
std::set<std::string> PlacesOf(std::string_view page) {
    std::set<std::string> places;
    const std::string_view mark = "id=\"";
    for (std::size_t at = page.find(mark); at != std::string_view::npos;
         at = page.find(mark, at + 1)) {
        const std::size_t start = at + mark.size();
        places.emplace(page.substr(start, page.find('"', start) - start));
    }
    return places;
}

TEST_P(EveryLanguage, HelpPageIsItsOwnWithEveryPlaceOfEnglish) {
    EXPECT_NE(language.helpPage.find("<html lang=\"" + std::string(language.code) + "\">"),
              std::string_view::npos);
    EXPECT_EQ(PlacesOf(language.helpPage), PlacesOf(english.helpPage));
    EXPECT_TRUE(PlacesOf(english.helpPage).contains("Main_Contents"));
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryLanguage, testing::ValuesIn(zorun::test::Languages()),
                         [](const auto& test) { return std::string(test.param->code); });

} // namespace
