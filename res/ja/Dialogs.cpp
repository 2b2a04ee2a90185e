// The Japanese dialog templates of the application shell: the version box
// (dialog 100), the program icon beside the program's name and version.

#include "platform/user/Controls.h"
#include "res/ja/Tables.h"

namespace zorun::res::ja {

#include "ZorunVersion.h"

namespace {

// Dialog units: 137 x 153 fill the 240 x 268 work area.
const DialogItemTemplate versionItems[] = {
    {u"STATIC", u"#128", -1, 12, 12, 21, 12, SS_ICON | WS_VISIBLE},
    {u"STATIC", u"Zorun バージョン " ZORUN_VERSION, -1, 40, 15, 90, 10, SS_LEFT | WS_VISIBLE},
};

const DialogTemplate dialogs[] = {
    {100, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, versionItems},
};

} // namespace

extern const std::span<const DialogTemplate> shellDialogs = dialogs;

} // namespace zorun::res::ja
