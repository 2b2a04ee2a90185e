#pragma once
// What the program and its helper, zorun-host, say to each other. The
// helper is the only part of Zorun that loads GIO: it finds applications
// the way the desktop does (desktop entries, default applications) in a
// process of its own, so every question sees the applications installed
// now and the program itself stays small and quick to start.
//
// Request (the helper's arguments): a mode, "resolve" or "survey", then
// tokens. "items:" empties the list of things to open, "item:X" adds X (a
// host file or a URL); "exec:", "application:", "default:" and "category:"
// add a candidate that opens the items listed so far; "next:" starts the
// next set of candidates; a survey names the number of sets first
// ("sets:N") and may ask with "--applications" for the applications of the
// desktop's menu too.
//
// Answer (standard output), one record per line, "key value", the value
// escaped (\\, \n, \t): "launch N" then id, name, icon, dir and one "arg"
// per argument, closed by "end"; "none N" for a set that found nothing;
// "application" then id, name, icon, closed by "end"; and "done" last, so
// that a cut answer is never taken for a whole one.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorun {

struct HostCandidate {
    enum class Kind { Exec, Application, Default, Category };
    Kind kind = Kind::Exec;
    std::string value;              // as written in the host program file
    std::vector<std::string> items; // host files and URLs to open with it
};

// What a set of candidates starts.
struct HostLaunch {
    std::string id;                // desktop file ID ("" for an Exec line)
    std::string name;              // the application's name, in the user's language
    std::string icon;              // an icon name or an absolute file ("" when none)
    std::string directory;         // working folder ("" to inherit)
    std::vector<std::string> argv; // argv[0] is an absolute program path
};

// An application of the desktop's menu.
struct HostApplication {
    std::string id;
    std::string name;
    std::string icon;
};

struct HostSurvey {
    std::vector<std::optional<HostLaunch>> launches; // one per candidate set
    std::vector<HostApplication> applications;       // ordered by ID
};

[[nodiscard]] std::string CandidateToken(const HostCandidate& candidate);
// The request's tokens for a candidate set (after the mode).
void AppendCandidateTokens(const std::vector<HostCandidate>& set, std::vector<std::string>& out);

[[nodiscard]] std::string EscapeAnswerValue(std::string_view value);
[[nodiscard]] std::string UnescapeAnswerValue(std::string_view value);

// Reads an answer; nullopt when it is not complete ("done" missing) or
// malformed. `sets` is the number of candidate sets asked about.
[[nodiscard]] std::optional<HostSurvey> ParseAnswer(std::string_view answer, std::size_t sets);

} // namespace zorun
