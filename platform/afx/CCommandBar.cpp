#include "platform/afx/CCommandBar.h"

#include <algorithm>

#include "platform/afx/CFrameWnd.h"
#include "platform/base/Text.h"
#include "platform/user/Chrome.h"

BEGIN_MESSAGE_MAP(CCommandBar, CWnd)
ON_MESSAGE(TB_SETTOOLTIPS, OnSetToolTips)
ON_MESSAGE(TB_ENABLEBUTTON, OnEnableButton)
ON_MESSAGE(TB_ISBUTTONENABLED, OnIsButtonEnabled)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CCommandBar::~CCommandBar() {
    if (HWND frame = Frame())
        zorun::ClearCommandBar(frame);
}

HWND CCommandBar::Frame() const {
    return m_hWnd ? ::GetParent(m_hWnd) : nullptr;
}

BOOL CCommandBar::Create(CWnd* parent, DWORD style, UINT id) {
    if (!parent || !parent->m_hWnd)
        return FALSE;
    if (!CreateEx(0, u"CommandBar", u"", style | WS_CHILD, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    if (auto* frame = dynamic_cast<CFrameWnd*>(parent))
        frame->SetCommandBar(this);
    zorun::EnsureChrome();
    Publish();
    return TRUE;
}

BOOL CCommandBar::InsertMenuBar(UINT menuId, int) {
    if (!m_hWnd || !menu_.LoadMenu(menuId))
        return FALSE;
    Publish();
    return TRUE;
}

BOOL CCommandBar::AddAdornments(DWORD) {
    return m_hWnd ? TRUE : FALSE;
}

BOOL CCommandBar::LoadToolBar(UINT id) {
    if (!m_hWnd)
        return FALSE;
    const zorun::ToolBarTemplate* t = zorun::FindToolBarTemplate(static_cast<int>(id));
    if (!t)
        return FALSE;
    int image = 0;
    for (UINT command : t->commands) {
        if (command != 0)
            buttons_.push_back({command, t->bitmap, image, 0, {}});
        ++image;
    }
    Publish();
    return TRUE;
}

BOOL CCommandBar::AddToolButton(UINT command, int iconNumber, std::u16string toolTip) {
    if (!m_hWnd)
        return FALSE;
    buttons_.push_back({command, 0, 0, iconNumber, std::move(toolTip)});
    Publish();
    return TRUE;
}

LRESULT CCommandBar::OnSetToolTips(WPARAM count, LPARAM texts) {
    if (!texts || count > 256)
        return FALSE;
    const auto* const* array = reinterpret_cast<const char16_t* const*>(texts);
    tips_.clear();
    for (WPARAM i = 0; i < count; ++i)
        tips_.emplace_back(array[i] ? array[i] : u"");
    Publish();
    return TRUE;
}

BOOL CCommandBar::EnableButton(UINT command, BOOL enable) {
    bool found = false;
    for (auto& button : buttons_) {
        if (button.command == command) {
            found = true;
            button.enabled = enable != FALSE;
        }
    }
    if (!found)
        return FALSE;
    if (HWND frame = Frame())
        zorun::EnableCommandBarButton(frame, command, enable != FALSE);
    return TRUE;
}

BOOL CCommandBar::IsButtonEnabled(UINT command) const {
    for (const auto& button : buttons_) {
        if (button.command == command)
            return button.enabled ? TRUE : FALSE;
    }
    return FALSE;
}

LRESULT CCommandBar::OnEnableButton(WPARAM command, LPARAM enable) {
    return EnableButton(static_cast<UINT>(command), LOWORD(static_cast<std::uintptr_t>(enable)));
}

LRESULT CCommandBar::OnIsButtonEnabled(WPARAM command, LPARAM) {
    return IsButtonEnabled(static_cast<UINT>(command));
}

void CCommandBar::Publish() {
    HWND frame = Frame();
    if (!frame)
        return;
    // Tool tips are given for every button, the menu buttons first.
    const auto menus =
        static_cast<std::size_t>(menu_.m_hMenu ? std::max(0, menu_.GetMenuItemCount()) : 0);
    auto buttons = buttons_;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].toolTip.empty() && menus + i < tips_.size())
            buttons[i].toolTip = tips_[menus + i];
    zorun::SetCommandBarMenu(frame, menu_.m_hMenu);
    zorun::SetCommandBarButtons(frame, std::move(buttons));
}

void CCommandBar::OnDestroy() {
    if (HWND frame = Frame()) {
        zorun::ClearCommandBar(frame);
        if (auto* owner = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(frame));
            owner && owner->GetCommandBar() == this)
            owner->SetCommandBar(nullptr);
    }
    CWnd::OnDestroy();
}
