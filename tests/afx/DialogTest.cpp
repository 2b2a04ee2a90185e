// Dialogs from templates: modal runs and their results, data exchange, the
// dialog keys, nesting, and the controls' behaviour inside a dialog.

#include <algorithm>
#include <string>
#include <vector>

#include "AfxTestSupport.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CFrameWnd.h"

namespace {

constexpr int IDC_NAME = 10, IDC_CHECK = 11, IDC_LIST = 12, IDC_NESTED = 13, IDC_COMBO = 14;

// Screen positions (the dialog's client starts at y 26).
constexpr POINT kName{100, 53}, kOk{60, 108}, kCancel{166, 108}, kCheck{30, 140};

const zorun::DialogItemTemplate kItems[] = {
    {u"EDIT", u"", IDC_NAME, 10, 10, 100, 12, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
    {u"BUTTON", u"OK", IDOK, 10, 40, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {u"BUTTON", u"Cancel", IDCANCEL, 70, 40, 50, 14, WS_VISIBLE | WS_TABSTOP},
    {u"BUTTON", u"Remember", IDC_CHECK, 10, 60, 80, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
    {u"LISTBOX", nullptr, IDC_LIST, 10, 80, 100, 40, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
    {u"BUTTON", u"More", IDC_NESTED, 115, 80, 20, 14, WS_VISIBLE},
    {u"COMBOBOX", nullptr, IDC_COMBO, 10, 125, 60, 12, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
};
const zorun::DialogTemplate kDialog{500, 135, 150, u"Details", 0, kItems};
const zorun::DialogTemplate kInner{501, 135, 150, u"Inner", 0, {}};

std::vector<std::string> events;

class CInnerDlg : public CDialog {
  public:
    CInnerDlg() : CDialog(&kInner) {}
    void OnCancel() override {
        events.push_back(std::string("inner cancel, owner enabled ") +
                         (::IsWindowEnabled(::GetWindow(m_hWnd, GW_OWNER)) ? "yes" : "no"));
        CDialog::OnCancel();
    }
};

class CDetailsDlg : public CDialog {
  public:
    CDetailsDlg() : CDialog(&kDialog) {}
    std::u16string m_name = u"xyz";
    int m_check = 0;
    int changes = 0;
    int endAtInit = 0;
    INT_PTR innerResult = 0;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        events.push_back("init");
        if (endAtInit)
            EndDialog(endAtInit);
        return TRUE;
    }

  protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_NAME, m_name);
        DDX_Check(dx, IDC_CHECK, m_check);
    }
    void OnNameChange() { ++changes; }
    void OnNested() {
        CInnerDlg inner;
        innerResult = inner.DoModal();
        events.push_back("inner returned " + std::to_string(innerResult));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDetailsDlg, CDialog)
ON_EN_CHANGE(IDC_NAME, OnNameChange)
ON_BN_CLICKED(IDC_NESTED, OnNested)
END_MESSAGE_MAP()

class Dialogs : public AfxTest {
  protected:
    void SetUp() override {
        AfxTest::SetUp();
        events.clear();
    }
};

TEST_F(Dialogs, TypingCheckingAndOkReachTheMembers) {
    CDetailsDlg dlg;
    // The first control has the focus with its text selected: typing replaces it.
    Type(u"abc");
    Key(VK_BACK);
    Type(u"d");
    Tap(kCheck.x, kCheck.y);
    Tap(kOk.x, kOk.y);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_name, u"abd");
    EXPECT_EQ(dlg.m_check, 1);
    EXPECT_EQ(dlg.changes, 6); // filled once, three letters, a deletion, a letter
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(Dialogs, EscapeCancelsWithoutReadingTheControls) {
    CDetailsDlg dlg;
    Tap(kName.x, kName.y);
    Type(u"new");
    Key(VK_ESCAPE);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_name, u"xyz");
}

TEST_F(Dialogs, ReturnPressesTheDefaultButtonAndTabMovesTheFocus) {
    CDetailsDlg dlg;
    Tap(kName.x, kName.y);
    Type(u"q");
    Key(VK_TAB);   // to OK
    Key(VK_TAB);   // to Cancel
    Key(VK_SPACE); // clicks Cancel
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    CDetailsDlg second;
    Tap(kName.x, kName.y); // a tap in the focused edit puts the caret there (the end)
    Type(u"r");
    Key(VK_RETURN); // the edit passes Return to the dialog: the default button
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(second.m_name, u"xyzr");
}

TEST_F(Dialogs, EndingDuringInitialisationNeedsNoLoop) {
    CDetailsDlg dlg;
    dlg.endAtInit = 42;
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(events, (std::vector<std::string>{"init"}));
}

TEST_F(Dialogs, NestedDialogsEachReturnTheirOwnResult) {
    CDetailsDlg dlg;
    Tap(218, 178);     // "More": DU (115, 80, 20, 14) is x 201..235, y 166..189 on screen
    Key(VK_ESCAPE);    // ends the inner dialog only
    Tap(kOk.x, kOk.y); // then the outer one
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.innerResult, IDCANCEL);
    EXPECT_EQ(events, (std::vector<std::string>{"init", "inner cancel, owner enabled no",
                                                "inner returned 2"}));
}

TEST_F(Dialogs, UnknownTemplateFails) {
    CDialog dlg(9999u);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST_F(Dialogs, TemplatesAreLaidOutInDialogUnits) {
    EXPECT_EQ(zorun::DialogUnitsToPixels({10, 40, 60, 54}), (RECT{17, 70, 105, 94}));
    EXPECT_EQ(zorun::DialogUnitsToPixelsX(135), 236);
    EXPECT_EQ(zorun::DialogUnitsToPixelsY(150), 262);
    CDetailsDlg dlg;
    ASSERT_TRUE(dlg.Create(0));
    RECT r{};
    GetWindowRect(dlg.m_hWnd, &r);
    EXPECT_EQ(r, (RECT{0, 26, 240, 294})); // the whole work area
    GetWindowRect(GetDlgItem(dlg.m_hWnd, IDOK), &r);
    EXPECT_EQ(r, (RECT{17, 96, 105, 120}));
    EXPECT_EQ(GetWindowText(dlg.m_hWnd), u"Details");
    dlg.DestroyWindow();
}

} // namespace

namespace {

// OnCtlColor hears every control's colour question with its kind.
class CColourDlg : public CDialog {
  public:
    CColourDlg() : CDialog(&kDialog) {}
    std::vector<std::pair<int, UINT>> asked; // (control id, kind)

  protected:
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
        HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
        const std::pair<int, UINT> entry{wnd->GetDlgCtrlID(), ctlColor};
        if (std::find(asked.begin(), asked.end(), entry) == asked.end())
            asked.push_back(entry);
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourDlg, CDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(Dialogs, OnCtlColorHearsEachKindOfControl) {
    CColourDlg dlg;
    ASSERT_TRUE(dlg.Create(0));
    Pump();
    auto has = [&](int id, UINT kind) {
        return std::find(dlg.asked.begin(), dlg.asked.end(), std::pair<int, UINT>{id, kind}) !=
               dlg.asked.end();
    };
    EXPECT_TRUE(has(IDC_NAME, CTLCOLOR_EDIT));
    EXPECT_TRUE(has(IDOK, CTLCOLOR_BTN));
    EXPECT_TRUE(has(IDC_CHECK, CTLCOLOR_STATIC));
    EXPECT_TRUE(has(IDC_LIST, CTLCOLOR_LISTBOX));
    dlg.DestroyWindow();
}

} // namespace
