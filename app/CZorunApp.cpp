#include "app/CZorunApp.h"

#include "app/CMainFrame.h"
#include "app/CVersionDlg.h"
#include "app/CZorunDoc.h"
#include "app/CommandIds.h"
#include "app/DeviceProvisioning.h"
#include "app/ExcludedProcess.h"
#include "launcher/CZorunView.h"
#include "platform/afx/CSingleDocTemplate.h"
#include "platform/afx/StringTable.h"
#include "platform/base/Format.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/user/Backend.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"

std::u16string InstanceMutexName(const std::filesystem::path& deviceRoot) {
    std::error_code ec;
    std::filesystem::path root = std::filesystem::weakly_canonical(deviceRoot, ec);
    if (ec)
        root = deviceRoot;
    // FNV-1a: stable across builds, so every language build agrees.
    std::uint64_t digest = 14695981039346656037ull;
    for (unsigned char c : root.string()) {
        digest ^= c;
        digest *= 1099511628211ull;
    }
    return std::u16string(kInstanceMutexName) + u"-" +
           zorun::Format(u"%08x%08x", static_cast<unsigned>(digest >> 32),
                         static_cast<unsigned>(digest & 0xFFFFFFFFu));
}

BEGIN_MESSAGE_MAP(CZorunApp, CWinApp)
ON_COMMAND(CommandId::Version, OnAppAbout)
END_MESSAGE_MAP()

CZorunApp::CZorunApp() = default;

CZorunApp::~CZorunApp() {
    if (watching_)
        zorun::RemoveWatchedFd(instance_.ListenFd());
}

BOOL CZorunApp::InitInstance() {
    if (IsProcessRunning(kExcludedProcessName))
        return FALSE;
    const std::u16string title = LoadStringW(ShellResource::ProgramTitle);

    // The lock is held for the life of the process. When the runtime folder
    // cannot be used the program runs as if alone.
    switch (instance_.TryAcquire(InstanceMutexName(zorun::DeviceRoot()))) {
    case zorun::SingleInstance::Role::Second:
        (void)instance_.SendActivate();
        return FALSE;
    case zorun::SingleInstance::Role::Owner:
        zorun::AddWatchedFd(instance_.ListenFd(), [this] {
            if (instance_.TakeActivateRequests() > 0)
                BringToFront();
        });
        watching_ = true;
        break;
    case zorun::SingleInstance::Role::Unknown:
        break;
    }

    // Only a start that runs touches the device root: what is missing is
    // made before the frame reads the settings and the registry, so even
    // the very first start shows the default groups on their pictures. A
    // root that cannot be provisioned still runs and shows what it finds.
    (void)ProvisionDevice(zorun::DeviceRoot(), LanguageDefaultCatalogueTexts());

    SetRegistryKey(u"Local AppWizard-Generated Applications");
    AddDocTemplate(new CSingleDocTemplate(ShellResource::MainMenu, NewDocument<CZorunDoc>,
                                          NewFrame<CMainFrame>, NewView<CZorunView>));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->SetWindowText(title);
    return TRUE;
}

int CZorunApp::ExitInstance() {
    if (watching_) {
        zorun::RemoveWatchedFd(instance_.ListenFd());
        watching_ = false;
    }
    return CWinApp::ExitInstance();
}

void CZorunApp::BringToFront() {
    HWND frame = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    if (!frame)
        return;
    // An open dialog of this program (the version box, an editing dialog)
    // is what the user was doing: it comes first.
    HWND target = frame;
    for (HWND w = GetWindow(frame, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != frame && zorun::IsDialogWindow(w) && IsWindowVisible(w)) {
            target = w;
            break;
        }
    }
    SetForegroundWindow(target);
    zorun::RaiseHostWindow();
}

void CZorunApp::OnAppAbout() {
    CVersionDlg version;
    version.DoModal();
}
