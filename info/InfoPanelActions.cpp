#include "info/InfoPanelActions.h"

#include <cassert>

#include "info/InfoPanelLayout.h"

namespace InfoPanelActions {

namespace {

constexpr Action kActions[kFieldCount] = {
    {u"\\windows\\tmail.exe", u""},
    {u"\\windows\\poutlook.exe", u"calendar"},
    {u"\\windows\\poutlook.exe", u"tasks"},
    {u"\\windows\\ctlpnl.exe", u"cplmain.cpl 3,0"},
    {u"\\windows\\ctlpnl.exe", u"cplmain.cpl 4,0"},
    {u"\\windows\\clock.exe", u""},
    {u"\\windows\\ctlpnl.exe", u"cplmain.cpl 18,0"},
};

} // namespace

const Action& ActionFor(int field) {
    assert(field >= 0 && field < kFieldCount && "no such field");
    return kActions[field >= 0 && field < kFieldCount ? field : kInbox];
}

Tap Classify(const RECT& client, POINT point, int sysInfoMode, int infoPage) {
    using namespace InfoPanelLayout;
    const int step = ColumnStep(sysInfoMode);
    Tap tap;
    int f = -1;
    if (HitRect(client, step, 0).Contains(point))
        f = kInbox;
    if (infoPage == 1)
        for (int slot = 1; slot < kSlotCount; ++slot)
            if (HitRect(client, step, slot).Contains(point))
                f = slot;
    if (sysInfoMode == kModeBoth && kPageStrip.Contains(point)) {
        tap.turnPage = true;
        return tap;
    }
    if (f == kInbox && infoPage == 2)
        f = kRegion; // the region page shows the globe where the inbox is
    if (f == kLastSlot) {
        if (sysInfoMode == kModeRegion)
            f = kRegion;
        else if (sysInfoMode == 0)
            f = -1; // the slot is empty
    }
    tap.field = f;
    return tap;
}

} // namespace InfoPanelActions
