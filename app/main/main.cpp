// The program's entry: the platform runtime around the application object.
// (An empty frame for now; the program's own classes take over from here.)

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/backend/Platform.h"

namespace {

class CEmptyApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        auto* frame = new CFrameWnd;
        frame->m_bAutoDelete = false; // ours until its window exists
        if (!frame->Create(nullptr, u"Zorun")) {
            delete frame;
            return FALSE;
        }
        frame->m_bAutoDelete = true;
        SetMainWnd(frame);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        return TRUE;
    }
};

} // namespace

int main(int argc, char** argv) {
    return zorun::RunPlatform(argc, argv, [] {
        CEmptyApp app;
        return zorun::RunApplication(app);
    });
}
