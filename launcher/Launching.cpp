#include "launcher/Launching.h"

#include "platform/base/Text.h"
#include "platform/kernel/Process.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/Shortcut.h"

namespace {

// The device's buffer for a resolved shortcut target.
constexpr int kResolvedCapacity = 100;

} // namespace

LaunchPlan PlanLaunch(std::u16string_view target, LaunchVariant variant,
                      std::u16string_view calendarLink) {
    LaunchPlan plan;
    std::u16string t(target);
    if (t.empty())
        return plan;
    if (zorun::EqualsNoCase(t, kDesktopTarget)) {
        plan.kind = LaunchPlan::Kind::Desktop;
        return plan;
    }
    if (variant == LaunchVariant::Message && t.find(kCalendarProgram) != std::u16string::npos)
        t = calendarLink;

    const auto lnk = t.find(u".lnk");
    if (lnk != std::u16string::npos && lnk > 0) {
        char16_t resolved[kResolvedCapacity];
        if (!SHGetShortcutTarget(t.c_str(), resolved, kResolvedCapacity))
            return plan;
        const std::u16string s(resolved);
        const auto exe = s.find(u".exe");
        if (exe == std::u16string::npos) {
            plan.program = s;
        } else {
            plan.program = s.substr(0, exe + 4);
            if (s.size() > exe + 5)
                plan.arguments = s.substr(exe + 5);
        }
    } else {
        plan.program = std::move(t);
    }
    plan.kind = LaunchPlan::Kind::Program;
    return plan;
}

bool LaunchShortcut(std::u16string_view target, LaunchVariant variant,
                    std::u16string_view calendarLink) {
    const auto plan = PlanLaunch(target, variant, calendarLink);
    switch (plan.kind) {
    case LaunchPlan::Kind::Nothing:
        return false;
    case LaunchPlan::Kind::Desktop:
        return zorun::ShowHostDesktop();
    case LaunchPlan::Kind::Program:
        return CreateProcessW(plan.program.c_str(), plan.arguments.c_str(), nullptr, nullptr, FALSE,
                              0, nullptr, nullptr, nullptr, nullptr) != FALSE;
    }
    return false;
}
