#pragma once
// What a tap or the Enter key on a shortcut starts. The view's launch
// handler calls LaunchShortcut with the shortcut's target; the decision is
// PlanLaunch, kept apart so that it can be checked without starting anything.

#include <string>
#include <string_view>

#include "catalogue/ShortcutTarget.h"

// The tap (launch message) rewrites the calendar to its Start-menu link;
// the Enter key does not.
enum class LaunchVariant { Message, Key };

struct LaunchPlan {
    enum class Kind {
        Nothing, // empty target, or a shortcut file that cannot be read
        Desktop, // the desktop target: bring the desktop to the front
        Program, // start `program` with `arguments`
    };
    Kind kind = Kind::Nothing;
    std::u16string program;
    std::u16string arguments;
};

// The calendar program name and the English build's Start-menu calendar
// link (each language passes its own link). The desktop target,
// IsShortcutFile and ProgramEnd are the catalogue's (ShortcutTarget.h).
inline constexpr std::u16string_view kCalendarProgram = u"calendar.exe";
inline constexpr std::u16string_view kCalendarLink = u"\\windows\\start menu\\calendar.lnk";

// The decision for one target:
//  - empty: nothing; the desktop target (any case): the desktop;
//  - by message only, a target containing "calendar.exe" becomes the link;
//  - a shortcut file (IsShortcutFile, case as written) is resolved with
//    SHGetShortcutTarget, whole: the program is the text up to ProgramEnd,
//    the arguments what follows its separating character; a resolved text
//    without such an ".exe" is started whole with no arguments; an
//    unreadable shortcut file starts nothing;
//  - anything else is started as it is, with no arguments.
[[nodiscard]] LaunchPlan PlanLaunch(std::u16string_view target, LaunchVariant variant,
                                    std::u16string_view calendarLink = kCalendarLink);

// Carries the plan out. Failures are silent (the view stays as it was); the
// result says whether something was started or shown, for tests and logs.
bool LaunchShortcut(std::u16string_view target, LaunchVariant variant,
                    std::u16string_view calendarLink = kCalendarLink);
