// The English dialog templates of the application shell: the version box
// (dialog 100), the program icon beside the program's name and version.

#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"

#include "ZorunVersion.h"

namespace {

using zorun::DialogItemTemplate;

// Dialog units: 137 x 153 fill the 240 x 268 work area.
const DialogItemTemplate versionItems[] = {
    {u"STATIC", u"#128", -1, 12, 12, 21, 12, SS_ICON | WS_VISIBLE},
    {u"STATIC", u"Zorun Version " ZORUN_VERSION, -1, 40, 15, 90, 10, SS_LEFT | WS_VISIBLE},
};

const zorun::DialogTemplate dialogs[] = {
    {100, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, versionItems},
};

[[maybe_unused]] const bool registered = zorun::RegisterDialogTemplates(dialogs);

} // namespace
