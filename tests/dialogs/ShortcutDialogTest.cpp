// The shortcut dialog and the change-icon panel, driven as a user drives
// them: typing, the program browser, the panel's cells, the navigation
// bar's "ok"; every refusal read off the screen in the order it comes.

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/IconResolver.h"
#include "catalogue/LanguageRules.h"
#include "dialogs/CChangeIconDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "dialogs/DialogResources.h"
#include "platform/base/Text.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Input.h"
#include "platform/user/SoftKeyboard.h"
#include "tests/support/DialogFixture.h"

namespace {

using Names = std::vector<std::u16string>;
const Names kPrograms{u".exe", u".lnk"};

class ShortcutDialog : public DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        WriteDeviceFile("Windows/Solitaire.exe", "s", true);
        WriteDeviceFile("Windows/pword.exe", "w", true);
        WriteDeviceFile("Windows/PWORD.EXE", "W", true);
        WriteDeviceFile("Windows/readme.exe.txt", "r");
        WriteDeviceFile("Windows/shell32.exe", "d", true);
    }

    static std::u16string FieldText(int id) {
        char16_t text[512] = {};
        GetDlgItemTextW(FrontDialog(), id, text, 512);
        return text;
    }
    static bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(FrontDialog(), id)); }
    // The quality of the font a control draws its text in.
    static BYTE FontQuality(int id) {
        const auto font = reinterpret_cast<HGDIOBJ>(
            SendMessageW(GetDlgItem(FrontDialog(), id), WM_GETFONT, 0, 0));
        LOGFONTW description{};
        if (!font || GetObjectW(font, sizeof description, &description) != int(sizeof description))
            return DEFAULT_QUALITY;
        return description.lfQuality;
    }
};

TEST_F(ShortcutDialog, OkChecksNameThenFileThenKindThenLength) {
    CShortcutDlg dialog(kPrograms, &Frame());
    const INT_PTR result = RunModal(
        dialog, {[&] { QueueOk(); }, Answer(u"Please input a name for this shortcut."),
                 // A name of spaces is no name; the field shows it trimmed.
                 [&] {
                     QueueText(u"   ");
                     QueueOk();
                 },
                 Answer(u"Please input a name for this shortcut."),
                 [&] {
                     EXPECT_EQ(FieldText(DialogResource::NameField), u"");
                     QueueText(u"  Word  ");
                     QueueOk();
                 },
                 // An empty program path does not exist.
                 Answer(u"That file name does not exist. Please select another file name."),
                 [&] { QueueControlTap(DialogResource::ProgramBrowse); },
                 [&] { QueueBrowserChoice(1); }, // PWORD.EXE, after pword.exe
                 [&] {
                     EXPECT_EQ(FieldText(DialogResource::ProgramField), u"\\windows\\PWORD.EXE");
                     EXPECT_EQ(FieldText(DialogResource::NameField), u"Word") << "typed name stays";
                     QueueOk();
                 },
                 // Exact case: ".EXE" is not ".exe".
                 Answer(u"Please select an executable file."),
                 [&] { QueueControlTap(DialogResource::ProgramBrowse); },
                 [&] { QueueBrowserChoice(0); }, // pword.exe
                 [&] { QueueOk(); }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.shortcutName, u"Word");
    EXPECT_EQ(dialog.programPath, u"\\windows\\pword.exe");
    EXPECT_EQ(dialog.iconRef, u"0");
}

TEST_F(ShortcutDialog, BrowsingNamesTheShortcutAfterItsFile) {
    CShortcutDlg dialog(kPrograms, &Frame());
    RunModal(dialog, {[&] { QueueControlTap(DialogResource::ProgramBrowse); },
                      [&] { QueueBrowserChoice(4); }, // Solitaire.exe
                      [&] {
                          EXPECT_EQ(FieldText(DialogResource::NameField), u"solitaire");
                          // "ok" in the browser without a tap empties both fields.
                          QueueControlTap(DialogResource::ProgramBrowse);
                      },
                      [&] { QueueOk(); },
                      [&] {
                          EXPECT_EQ(FieldText(DialogResource::ProgramField), u"");
                          EXPECT_EQ(FieldText(DialogResource::NameField), u"");
                          QueueControlTap(IDCANCEL);
                      }});
    EXPECT_EQ(CShortcutDlg::NameFromFile(u"Calculator.lnk"), u"calculator");
    EXPECT_EQ(CShortcutDlg::NameFromFile(u"Tool.EXE.lnk"), u"tool");
    EXPECT_EQ(CShortcutDlg::NameFromFile(u".exe"), u"") << "nothing before the extension";
    EXPECT_EQ(CShortcutDlg::NameFromFile(u"notes.txt"), u"");
}

TEST_F(ShortcutDialog, FormsLeaveOnlyTheirFieldsUsable) {
    struct Case {
        int form;
        bool name, program, programBrowse, iconBrowse, keyboard;
    };
    const Case cases[] = {
        {CShortcutDlg::RenameShortcut, true, false, false, false, true},
        {CShortcutDlg::ChangeIcon, false, false, false, true, false},
    };
    for (const Case& c : cases) {
        CShortcutDlg dialog(u"\\windows\\pword.exe", u"Word", u"0", c.form, &Frame());
        RunModal(dialog, {[&] {
                     EXPECT_EQ(Enabled(DialogResource::NameField), c.name) << c.form;
                     EXPECT_EQ(Enabled(DialogResource::ProgramField), c.program) << c.form;
                     EXPECT_EQ(Enabled(DialogResource::ProgramBrowse), c.programBrowse) << c.form;
                     EXPECT_EQ(Enabled(DialogResource::IconBrowse), c.iconBrowse) << c.form;
                     EXPECT_TRUE(Enabled(IDCANCEL));
                     EXPECT_EQ(zorun::SoftKeyboardUp(), c.keyboard) << c.form;
                     EXPECT_EQ(FieldText(DialogResource::NameField), u"Word");
                     QueueControlTap(IDCANCEL);
                 }});
        EXPECT_FALSE(zorun::SoftKeyboardUp()) << "the keyboard goes with the dialog";
    }
}

TEST_F(ShortcutDialog, LongEntriesAreRefusedWithTheirLimits) {
    // A name over 50 characters is named by the exchange, then by the checks.
    const std::u16string longName(300, u'n');
    CShortcutDlg renamed(u"\\windows\\pword.exe", longName, u"0", CShortcutDlg::RenameShortcut,
                         &Frame());
    const INT_PTR refused =
        RunModal(renamed, {[&] { QueueOk(); }, Answer(u"50"),
                           Answer(u"Program and Shortcut names can not exceed 256 characters!"),
                           [&] { QueueControlTap(IDCANCEL); }});
    EXPECT_EQ(refused, IDCANCEL);

    // Typing stops at 50 characters.
    CShortcutDlg typed(kPrograms, &Frame());
    RunModal(typed, {[&] { QueueText(std::u16string(60, u'x')); },
                     [&] {
                         EXPECT_EQ(FieldText(DialogResource::NameField).size(), 50u);
                         QueueControlTap(IDCANCEL);
                     }});

    // A program path longer than 50 characters (a host program deep in the
    // Start menu) is the shortcut's own and stays usable.
    const std::string folder = "Windows/Start Menu/Programs/Accessories and Tools";
    WriteDeviceFile(folder + "/Text Editor.lnk", "14#\\windows\\pword.exe");
    const std::u16string deep = u"\\Windows\\Start Menu\\Programs\\Accessories and Tools\\Text "
                                u"Editor.lnk";
    ASSERT_GT(deep.size(), 50u);
    CShortcutDlg kept(deep, u"Text Editor", u"0", CShortcutDlg::RenameShortcut, &Frame());
    EXPECT_EQ(RunModal(kept, {[&] { QueueOk(); }}), IDOK);
    EXPECT_EQ(kept.programPath, deep);
}

TEST_F(ShortcutDialog, PreviewFollowsTheIconReferenceAndTheProgramAsWritten) {
    const POINT iconAt{83, 160};
    struct Case {
        const char16_t* program;
        const char16_t* icon;
        int shown; // the built-in icon expected in the preview, 0: none of them
    };
    const Case cases[] = {
        {u"\\windows\\shell32.exe", u"0", kDesktopIcon},
        {u"\\Windows\\shell32.exe", u"0", kGenericProgramIcon}, // the file itself; no icon in it
        {u"\\windows\\pword.exe", u"147", 147},
        {u"\\windows\\missing.exe", u"0", kGenericProgramIcon},
    };
    for (const Case& c : cases) {
        CShortcutDlg dialog(c.program, u"X", c.icon, CShortcutDlg::ChangeIcon, &Frame());
        RunModal(dialog, {[&] {
                     EXPECT_TRUE(ShowsIcon(c.shown, iconAt)) << zorun::ToUtf8(c.program);
                     // The black frame around it.
                     EXPECT_EQ(Screen().Pixel(63, 150 + kDialogTop) & 0xFFFFFF, 0u);
                     EXPECT_EQ(Screen().Pixel(135, 209 + kDialogTop) & 0xFFFFFF, 0u);
                     QueueControlTap(IDCANCEL);
                 }});
    }
    // Nothing chosen: only the frame.
    CShortcutDlg empty(kPrograms, &Frame());
    RunModal(empty, {[&] {
                 EXPECT_FALSE(ShowsIcon(kGenericProgramIcon, iconAt));
                 QueueControlTap(IDCANCEL);
             }});
}

TEST_F(ShortcutDialog, IconBrowseTakesThePanelsChoice) {
    CShortcutDlg dialog(u"\\windows\\pword.exe", u"Word", u"133", CShortcutDlg::ChangeIcon,
                        &Frame());
    const INT_PTR result = RunModal(
        dialog, {[&] { QueueControlTap(DialogResource::IconBrowse); },
                 [&] {
                     QueueDialogTap(158, 170); // cell 9
                     QueueOk();
                 },
                 [&] {
                     EXPECT_TRUE(ShowsIcon(149, {83, 160}));
                     QueueControlTap(DialogResource::IconBrowse);
                 },
                 [&] { QueueControlTap(IDCANCEL); }, // the panel: nothing changes
                 [&] {
                     EXPECT_EQ(dialog.iconRef, u"149");
                     QueueControlTap(DialogResource::IconBrowse);
                 },
                 [&] { QueueControlTap(DialogResource::DefaultIconButton); }, [&] { QueueOk(); }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.iconRef, u"0");
}

class ChangeIconPanel : public ShortcutDialog {
  protected:
    // Whether the frame of `cell` is drawn: dots along its bottom edge
    // (where no other cell's frame runs).
    bool Framed(int cell) {
        const RECT r = CChangeIconDlg::CellFrame(cell);
        int dots = 0;
        for (int x = r.left + 1; x < r.right - 1; ++x)
            dots += (Screen().Pixel(x, r.bottom - 1 + kDialogTop) & 0xFFFFFF) != 0xFFFFFF;
        return dots > 0;
    }
    // The icon within two pixels of `at` (rounding of dialog units aside).
    bool ShowsIconNear(int number, POINT at) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (ShowsIcon(number, {at.x + dx, at.y + dy}))
                    return true;
        return false;
    }
};

TEST_F(ChangeIconPanel, OneFrameFollowsThePressedCell) {
    CChangeIconDlg panel(&Frame());
    const INT_PTR result = RunModal(panel, {[&] {
                                                EXPECT_FALSE(Framed(5));
                                                QueueOk(); // nothing chosen yet
                                            },
                                            Answer(u"Please select an icon for the shortcut."),
                                            [&] {
                                                QueueDialogTap(108, 126); // cell 5
                                                QueueDialogTap(108, 126); // again: stays framed
                                            },
                                            [&] {
                                                EXPECT_TRUE(Framed(5));
                                                EXPECT_EQ(panel.chosenIcon, 145);
                                                QueueDialogTap(80, 80);  // between cells 1 and 2
                                                QueueDialogTap(108, 80); // cell 2
                                            },
                                            [&] {
                                                EXPECT_FALSE(Framed(5))
                                                    << "the old frame is taken away";
                                                EXPECT_TRUE(Framed(2));
                                                Screenshot("change-icon.png");
                                                QueueDialogTap(57, 170); // cell 7
                                                QueueOk();
                                            }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(panel.chosenIcon, 147);
    EXPECT_EQ(CChangeIconDlg::IconReference(panel.chosenIcon), u"147");

    CChangeIconDlg fallback(&Frame());
    EXPECT_EQ(RunModal(fallback,
                       {[&] {
                            // Each icon centred in its 35-pixel square of the grid.
                            const int xs[] = {44, 95, 146}, ys[] = {67, 113, 158};
                            for (int cell = 1; cell <= CChangeIconDlg::kCellCount; ++cell)
                                EXPECT_TRUE(ShowsIconNear(CChangeIconDlg::CellIcon(cell),
                                                          {xs[(cell - 1) % 3], ys[(cell - 1) / 3]}))
                                    << cell;
                            QueueDialogTap(158, 80); // cell 3
                        },
                        [&] { QueueControlTap(DialogResource::DefaultIconButton); }}),
              IDOK);
    EXPECT_EQ(fallback.chosenIcon, -1);
    EXPECT_EQ(CChangeIconDlg::IconReference(fallback.chosenIcon), u"0");
}

} // namespace

namespace {

// With ClearType on, the buttons take a ClearType font, except in a build
// whose secondary windows keep the platform's default fonts (French).
TEST_F(ShortcutDialog, ButtonsFollowTheLanguagesClearTypeRule) {
    Frame().clearTypeOn = true;
    for (const bool secondaryClearType : {true, false}) {
        SCOPED_TRACE(secondaryClearType ? "ClearType" : "default fonts");
        UseLanguageRules({.secondaryWindowsClearType = secondaryClearType});
        const BYTE expected = secondaryClearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
        CShortcutDlg dialog(kPrograms, &Frame());
        RunModal(dialog, {[&] {
                     EXPECT_EQ(FontQuality(IDCANCEL), expected);
                     EXPECT_EQ(FontQuality(DialogResource::ProgramBrowse), expected);
                     QueueControlTap(IDCANCEL);
                 }});
        CChangeIconDlg panel(&Frame());
        RunModal(panel, {[&] {
                     EXPECT_EQ(FontQuality(DialogResource::DefaultIconButton), expected);
                     QueueControlTap(IDCANCEL);
                 }});
    }
    UseLanguageRules({});
}

// The dialog as a user sees it with ClearType text; ZORUN_SCREENSHOT_DIR
// keeps the screens.
TEST_F(ShortcutDialog, ScreensWithClearType) {
    Frame().clearTypeOn = true;
    CShortcutDlg dialog(u"\\windows\\Solitaire.exe", u"Solitaire", u"149", CShortcutDlg::ChangeIcon,
                        &Frame());
    RunModal(dialog, {[&] {
                 const std::u16string shown = ShownText();
                 for (const char16_t* text :
                      {u"Please type a name for the shortcut",
                       u"Please select a program for the "
                       u"shortcut",
                       u"Please select an icon for the shortcut", u"Solitaire"})
                     EXPECT_NE(shown.find(text), std::u16string::npos) << zorun::ToUtf8(text);
                 Screenshot("shortcut-dialog.png");
                 QueueControlTap(IDCANCEL);
             }});
    CShortcutDlg fresh(kPrograms, &Frame());
    RunModal(fresh, {[&] {
                 Screenshot("shortcut-dialog-new.png");
                 QueueControlTap(IDCANCEL);
             }});
    CChangeIconDlg panel(&Frame());
    RunModal(panel, {[&] {
                         QueueDialogTap(108, 126); // cell 5
                     },
                     [&] {
                         Screenshot("change-icon-panel.png");
                         QueueControlTap(IDCANCEL);
                     }});
}

} // namespace
