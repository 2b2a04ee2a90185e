#include "launcher/CZorunView.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProgramHost.h"
#include "launcher/CommandIds.h"
#include "launcher/PaneCache.h"
#include "monitor/CTaskMonitorDlg.h"
#include "platform/afx/CWinApp.h"

using namespace ViewLayout;

BEGIN_MESSAGE_MAP(CZorunView, CView)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_NOTIFY, OnNotify)
ON_MESSAGE(ZorunViewMessage::Launch, OnLaunch)
ON_MESSAGE(ZorunViewMessage::GoToPage, OnGoToPage)
ON_MESSAGE(ZorunViewMessage::TabsLeft, OnTabsLeft)
ON_MESSAGE(ZorunViewMessage::TabsRight, OnTabsRight)
ON_MESSAGE(ZorunViewMessage::PageUp, OnPageUp)
ON_MESSAGE(ZorunViewMessage::PageDown, OnPageDown)
ON_COMMAND(CommandId::AddGroup, OnAddGroup)
ON_COMMAND(CommandId::DeleteGroup, OnDeleteGroup)
ON_COMMAND(CommandId::SetBackground, OnSetBackground)
ON_COMMAND(CommandId::RenameGroup, OnRenameGroup)
ON_COMMAND(CommandId::OrganizeGroups, OnOrganizeGroups)
ON_COMMAND(CommandId::AddShortcut, OnAddShortcut)
ON_COMMAND(CommandId::DeleteShortcut, OnDeleteShortcut)
ON_COMMAND(CommandId::ChangeIcon, OnChangeIcon)
ON_COMMAND(CommandId::RenameShortcut, OnRenameShortcut)
ON_COMMAND(CommandId::CopyTo, OnCopyTo)
ON_COMMAND(CommandId::MoveTo, OnMoveTo)
ON_COMMAND(CommandId::Monitor, OnMonitor)
END_MESSAGE_MAP()

CZorunView::CZorunView() = default;
CZorunView::~CZorunView() = default;

ProgramHost* CZorunView::Host() {
    return dynamic_cast<ProgramHost*>(AfxGetMainWnd());
}

Catalogue* CZorunView::GetCatalogue() const {
    ProgramHost* host = Host();
    return host ? &host->GetCatalogue() : nullptr;
}

bool CZorunView::IsClearTypeOn() const {
    ProgramHost* host = Host();
    return host && host->IsClearTypeOn();
}

bool CZorunView::IsSecondaryClearTypeOn() const {
    ProgramHost* host = Host();
    return host && host->IsSecondaryClearTypeOn();
}

const GroupRecord* CZorunView::ShownGroup() const {
    const Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !catalogue->IsValidPosition(currentGroup))
        return nullptr;
    return &catalogue->Group(currentGroup);
}

int CZorunView::ShortcutCount() const {
    const GroupRecord* group = ShownGroup();
    return group ? static_cast<int>(group->Count()) : 0;
}

void CZorunView::Repaint() {
    Invalidate(TRUE);
}

void CZorunView::OnInitialUpdate() {
    if (ProgramHost* host = Host())
        host->SetLauncherView(this);
    if (!groupTip.GetSafeHwnd())
        (void)groupTip.CreateTip(this, IsSecondaryClearTypeOn());
    firstItem = 0;
    currentGroup = 0;
    selectedItem = -1;
    pageCount = ViewLayout::PageCount(ShortcutCount());
    RefreshCaptions();
    CView::OnInitialUpdate();
}

void CZorunView::RefreshCaptions() {
    const Catalogue* catalogue = GetCatalogue();
    tabCaptions.fill({});
    for (int tab = 1; tab <= 4; ++tab) {
        const int position = firstGroup + tab - 1;
        if (catalogue && catalogue->IsValidPosition(position))
            tabCaptions[std::size_t(tab)] = MakeCaption(catalogue->GroupName(position));
    }
}

void CZorunView::SelectGroup(int tab) {
    currentTab = tab;
    currentGroup = firstGroup + currentTab - 1;
    selectedItem = -1;
    firstItem = 0;
    pageCount = ViewLayout::PageCount(ShortcutCount());
    Repaint();
}

LRESULT CZorunView::OnGoToPage(WPARAM, LPARAM page) {
    // Only pages the group has: a page beyond them would leave the grid
    // showing no shortcut while the keys and launching index past the list.
    if (page < 0 || (page > 0 && page >= pageCount))
        return 0;
    firstItem = static_cast<int>(page) * kShortcutsPerPage;
    selectedItem = -1;
    Repaint();
    return 0;
}

LRESULT CZorunView::OnPageUp(WPARAM, LPARAM) {
    if (firstItem >= 1) {
        firstItem -= kShortcutsPerPage;
        selectedItem = -1;
        Repaint();
    }
    return 0;
}

LRESULT CZorunView::OnPageDown(WPARAM, LPARAM) {
    if (firstItem / kShortcutsPerPage < pageCount - 1) {
        firstItem += kShortcutsPerPage;
        selectedItem = -1;
        Repaint();
    }
    return 0;
}

LRESULT CZorunView::OnTabsLeft(WPARAM, LPARAM) {
    ApplyTabStrip(ScrollTabsLeft({firstGroup, currentTab}));
    return 0;
}

LRESULT CZorunView::OnTabsRight(WPARAM, LPARAM) {
    const Catalogue* catalogue = GetCatalogue();
    const int groups = catalogue ? catalogue->GroupCount() : 0;
    ApplyTabStrip(ScrollTabsRight({firstGroup, currentTab}, groups));
    return 0;
}

void CZorunView::ApplyTabStrip(TabStrip strip) {
    if (strip == TabStrip{firstGroup, currentTab})
        return;
    firstGroup = strip.firstGroup;
    currentTab = strip.currentTab;
    RefreshCaptions();
    Repaint();
}

// The group commands are in GroupCommands.cpp, the shortcut commands in
// ShortcutCommands.cpp.
void CZorunView::OnMonitor() {
    CTaskMonitorDlg monitor(this);
    monitor.DoModal();
}
