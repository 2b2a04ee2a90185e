// The whole program in each language build: the default catalogue from the
// build's own Start Menu and names, the default groups protected by that
// language's names, and every text fitting where the program shows it.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "dialogs/CChangeIconDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "platform/base/Text.h"
#include "platform/user/CommandBar.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/Controls.h"
#include "tests/app/AppHarness.h"
#include "tests/resources/Languages.h"

namespace fs = std::filesystem;
using zorun::res::LanguageResources;

namespace {

// A host path for a device path under `root` ("\Windows\Start Menu" ->
// root/Windows/Start Menu).
fs::path HostPathUnder(const fs::path& root, std::u16string_view devicePath) {
    fs::path path = root;
    std::size_t start = 0;
    while (start < devicePath.size()) {
        std::size_t end = devicePath.find(u'\\', start);
        if (end == std::u16string_view::npos)
            end = devicePath.size();
        if (end > start)
            path /= zorun::ToUtf8(devicePath.substr(start, end - start));
        start = end + 1;
    }
    return path;
}

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

class LanguageBuild : public testing::TestWithParam<const LanguageResources*> {
  protected:
    void SetUp() override { zorun::res::UseLanguage(language); }
    void TearDown() override { zorun::res::UseLanguage(zorun::res::English()); }

    const LanguageResources& language = *GetParam();
    const DefaultCatalogueTexts& texts = language.defaultCatalogue;
};

TEST_P(LanguageBuild, DefaultCatalogueTakesTheBuildsNamesAndStartMenu) {
    AppHarness app;
    const fs::path startMenu = HostPathUnder(app.Root(), texts.startMenuFolder);
    for (const char16_t* link : {texts.calendarLink, texts.contactsLink, texts.tasksLink})
        Touch(startMenu / zorun::ToUtf8(link));
    for (const char* program : {"iexplore.exe", "fexplore.exe", "tmail.exe", "pxl.exe", "pword.exe",
                                "shell32.exe", "player.exe", "solitare.exe", "jawbreaker.exe"})
        Touch(app.Root() / "Windows" / program);
    // Another language's Start Menu is not this build's.
    Touch(app.Root() / "Windows" / "Start Menu" / "other.lnk");
    ASSERT_TRUE(app.Start());
    const Catalogue& catalogue = app.Frame()->catalogue;

    ASSERT_EQ(catalogue.GroupCount(), 4);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(catalogue.GroupName(p), texts.groupNames[p]);
    const GroupRecord& programs = catalogue.Group(0);
    EXPECT_EQ(programs.names,
              (std::vector<std::u16string>{texts.calendar, texts.contacts, texts.internetExplorer,
                                           texts.fileExplorer, texts.inbox, texts.excel, texts.word,
                                           texts.tasks, texts.today}));
    const std::u16string folder = std::u16string(texts.startMenuFolder) + u"\\";
    ASSERT_EQ(programs.targets.size(), 9u);
    EXPECT_EQ(programs.targets[0], folder + texts.calendarLink);
    EXPECT_EQ(programs.targets[1], folder + texts.contactsLink);
    EXPECT_EQ(programs.targets[7], folder + texts.tasksLink);
    EXPECT_EQ(catalogue.Group(1).names, std::vector<std::u16string>{texts.mediaPlayer});
    EXPECT_EQ(catalogue.Group(2).names,
              (std::vector<std::u16string>{texts.solitaire, texts.jawbreaker}));
}

TEST_P(LanguageBuild, DefaultGroupsAreProtectedByTheBuildsOwnNames) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    Catalogue& catalogue = app.Frame()->catalogue;
    for (int p = 0; p < 4; ++p) {
        EXPECT_FALSE(catalogue.RemoveGroup(p)) << p;
        EXPECT_FALSE(catalogue.RenameGroup(p, u"Renamed")) << p;
    }
    // A group named as another build's default group is an ordinary group.
    const std::u16string other =
        std::string_view(language.code) == "en" ? u"Programas" : u"Programs";
    ASSERT_TRUE(catalogue.AppendGroup(other, u""));
    EXPECT_TRUE(catalogue.RenameGroup(4, other + u"!"));
    EXPECT_TRUE(catalogue.RemoveGroup(4));
}

TEST_P(LanguageBuild, CommandBarShowsBothMenusAndTheMonitorButton) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    const auto layout = zorun::CommandBarLayout();
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_TRUE(layout[0].isMenu);
    EXPECT_TRUE(layout[1].isMenu);
    EXPECT_FALSE(layout[2].isMenu);
    EXPECT_EQ(app.Frame()->GetWindowText(), u"Zorun");
}

// Every menu item's text fits a pop-up on the 240-pixel screen with room for
// its margins, check mark and sub-menu arrow.
TEST_P(LanguageBuild, MenuTextsFitTheScreen) {
    for (const auto& table : language.platform.menus)
        for (const zorun::MenuTemplate& menu : table)
            for (const zorun::MenuTemplateItem& item : menu.items) {
                if (!item.text)
                    continue;
                EXPECT_LE(zorun::TextWidth(zorun::DialogFont(), item.text), 240 - 40)
                    << "menu " << menu.number << ": " << zorun::ToUtf8(item.text);
            }
}

// The words of the message boxes' buttons fit two buttons side by side in
// the 216-pixel box (the buttons grow to their words).
TEST_P(LanguageBuild, MessageBoxButtonsFit) {
    const zorun::MessageBoxTexts& words = language.platform.messageBoxButtons;
    for (const char16_t* word : {words.ok, words.cancel, words.yes, words.no})
        EXPECT_LE(zorun::TextWidth(zorun::DialogFont(), word) + 10, (216 - 16 - 8) / 2)
            << zorun::ToUtf8(word);
}

// The fonts a control's text may be drawn in: the dialog's own, and those
// some dialogs choose themselves (the shortcut dialog's narrower labels, in
// both sizes, and its ClearType buttons; the change-icon panel's ClearType
// buttons).
std::vector<HFONT> FontsOf(int dialog, std::u16string_view kind) {
    std::vector<LOGFONTW> own;
    if (dialog == 166 && kind == u"STATIC")
        own = {CShortcutDlg::TextFont(true), CShortcutDlg::TextFont(false)};
    else if (dialog == 166 && kind == u"BUTTON")
        own = {CShortcutDlg::TextFont(true)};
    else if (dialog == 181 && kind == u"BUTTON")
        own = {CChangeIconDlg::ButtonFont()};
    std::vector<HFONT> fonts;
    if (!(dialog == 166 && kind == u"STATIC"))
        fonts.push_back(nullptr); // the dialog's own
    for (const LOGFONTW& description : own)
        fonts.push_back(CreateFontIndirectW(&description));
    return fonts;
}

// Every text of a dialog control fits the control in every font it may be
// drawn in: static texts within its rectangle once wrapped at its width,
// button texts on one line.
TEST_P(LanguageBuild, DialogTextsFitTheirControls) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, zorun::DialogFont());
    for (const auto& table : language.platform.dialogs)
        for (const zorun::DialogTemplate& dialog : table)
            for (const zorun::DialogItemTemplate& item : dialog.items) {
                if (!item.text || item.text[0] == u'#' || item.text[0] == u'\0')
                    continue;
                const std::u16string_view kind = item.className;
                const RECT r = zorun::DialogUnitsToPixels(
                    {item.x, item.y, item.x + item.cx, item.y + item.cy});
                SCOPED_TRACE("dialog " + std::to_string(dialog.number) + ": " +
                             zorun::ToUtf8(item.text));
                for (HFONT own : FontsOf(dialog.number, kind)) {
                    HFONT font = own ? own : zorun::DialogFont();
                    SelectObject(dc, font);
                    if (kind == u"STATIC") {
                        // A one-line label may be a pixel shorter than its
                        // font's line, as the English layout has it; it
                        // must not wrap.
                        RECT line{0, 0, 0, 0};
                        DrawTextW(dc, u"X", -1, &line, DT_CALCRECT);
                        RECT fit{0, 0, r.right - r.left, 0};
                        DrawTextW(dc, item.text, -1, &fit, DT_CALCRECT | DT_WORDBREAK);
                        EXPECT_LE(fit.right, r.right - r.left);
                        EXPECT_LE(fit.bottom, std::max(r.bottom - r.top, line.bottom));
                    } else if (kind == u"BUTTON") {
                        // Check boxes and radio buttons draw their box before the text.
                        const DWORD type = item.style & 0x0F;
                        const int box = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ||
                                                type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON
                                            ? 16
                                            : 0;
                        if (type != BS_GROUPBOX) {
                            EXPECT_LE(zorun::TextWidth(font, item.text) + box,
                                      r.right - r.left - 4);
                        }
                    }
                    SelectObject(dc, zorun::DialogFont());
                    if (own)
                        DeleteObject(own);
                }
            }
    SelectObject(dc, old);
    DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageBuild, testing::ValuesIn(zorun::test::Languages()),
                         [](const auto& test) { return std::string(test.param->code); });

} // namespace
