#pragma once
// The application object: refuses to run beside the device's test tool,
// keeps the program to one instance per user (a later start brings the
// running one's open dialog, else its frame, to the front and exits
// quietly), ties document, main frame and launcher view together, shows the
// main window under the program's title, and opens the version box.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/afx/CWinApp.h"
#include "platform/kernel/SingleInstance.h"

// The named mutex that marks a running instance.
inline constexpr std::u16string_view kInstanceMutexName = u"1a85e7c2-6b1d-43ea-bc83-866fc8a9550e";

// The mutex's name on this host. Named objects belong to a device, and each
// device root is a device of its own: the name carries a digest of the root,
// so programs on two device roots (a test's and the user's) never meet.
[[nodiscard]] std::u16string InstanceMutexName(const std::filesystem::path& deviceRoot);

class CZorunApp : public CWinApp {
  public:
    CZorunApp();
    ~CZorunApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // What a later start asks of this instance: its open dialog to the
    // front, else its main frame.
    void BringToFront();

  protected:
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()

  private:
    zorun::SingleInstance instance_;
    bool watching_ = false;
};
