#include "platform/afx/CCmdTarget.h"

#include "platform/afx/CMenu.h"

void CCmdUI::Enable(BOOL on) {
    m_bHandled = true;
    if (m_hMenu)
        EnableMenuItem(m_hMenu, m_nID, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void CCmdUI::SetCheck(int check) {
    m_bHandled = true;
    if (m_hMenu)
        CheckMenuItem(m_hMenu, m_nID, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetText(const char16_t* text) {
    m_bHandled = true;
    if (m_hMenu)
        ModifyMenuText(m_hMenu, m_nID, text ? text : u"");
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryKind::End, 0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(AfxEntryKind kind, UINT message, UINT code,
                                                     UINT id) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->entries; e->kind != AfxEntryKind::End; ++e) {
            if (e->kind != kind || e->message != message)
                continue;
            if (kind == AfxEntryKind::Message)
                return e;
            if (e->code == code && id >= e->id && id <= e->lastId)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (code == CN_UPDATE_COMMAND_UI) {
        const auto* e = FindMessageEntry(AfxEntryKind::UpdateUI, WM_COMMAND, 0, id);
        if (!e || !ui)
            return FALSE;
        ui->m_bHandled = false;
        e->call(this, 0, reinterpret_cast<LPARAM>(ui));
        return ui->m_bHandled ? TRUE : FALSE;
    }
    const auto* e =
        FindMessageEntry(AfxEntryKind::Command, WM_COMMAND, static_cast<UINT>(code), id);
    if (!e)
        return FALSE;
    e->call(this, id, 0);
    return TRUE;
}
