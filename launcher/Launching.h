#pragma once
// What a tap or the Enter key on a shortcut starts. The view's launch
// handler calls LaunchShortcut with the shortcut's target; the decision is
// PlanLaunch, kept apart so that it can be checked without starting anything.

#include <string>
#include <string_view>

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

// The desktop target, the calendar program name and the English build's
// Start-menu calendar link (each language passes its own link).
inline constexpr std::u16string_view kDesktopTarget = u"\\windows\\shell32.exe";
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

// True when `target` names a shortcut file: ".lnk" is its extension (the
// text ends with it, after at least one character). A folder or a file
// whose name merely contains ".lnk" ("a.lnkdir\p.exe") is not one.
[[nodiscard]] bool IsShortcutFile(std::u16string_view target);

// Where the program part of a shortcut's target ends: just after the first
// ".exe" that ends the text or is followed by a blank or a quote (so
// "\x.exe.d\p.exe arg" runs p.exe); npos when there is none.
[[nodiscard]] std::size_t ProgramEnd(std::u16string_view target);

// Carries the plan out. Failures are silent (the view stays as it was); the
// result says whether something was started or shown, for tests and logs.
bool LaunchShortcut(std::u16string_view target, LaunchVariant variant,
                    std::u16string_view calendarLink = kCalendarLink);
