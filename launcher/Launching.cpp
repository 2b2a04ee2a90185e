#include "launcher/Launching.h"

#include <vector>

#include "platform/base/Text.h"
#include "platform/kernel/Process.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/Shortcut.h"

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

    if (IsShortcutFile(t)) {
        // Room for the longest target, so that nothing is cut.
        std::vector<char16_t> resolved(zorun::kMaxShortcutTarget + 1);
        if (!SHGetShortcutTarget(t.c_str(), resolved.data(), static_cast<int>(resolved.size())))
            return plan;
        const std::u16string s(resolved.data());
        const auto end = ProgramEnd(s);
        if (end == std::u16string::npos) {
            plan.program = s;
        } else {
            plan.program = s.substr(0, end);
            if (s.size() > end + 1)
                plan.arguments = s.substr(end + 1);
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
