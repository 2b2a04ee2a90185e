// The French dialog templates of the application shell: the version box
// (dialog 100), the program icon beside the program's name and version.

#include "platform/user/Controls.h"
#include "res/fr/Tables.h"

namespace zorun::res::fr {

#include "ZorunVersion.h"

namespace {

// Dialog units: 137 x 153 fill the 240 x 268 work area.
const DialogItemTemplate versionItems[] = {
    {u"STATIC", u"#128", -1, 12, 12, 21, 12, SS_ICON | WS_VISIBLE},
    {u"STATIC", u"Zorun version " ZORUN_VERSION, -1, 40, 15, 90, 10, SS_LEFT | WS_VISIBLE},
};

const DialogTemplate dialogs[] = {
    {100, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, versionItems},
};

} // namespace

extern const std::span<const DialogTemplate> shellDialogs = dialogs;

} // namespace zorun::res::fr
