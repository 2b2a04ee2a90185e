#include "platform/host/HostProtocol.h"

#include <charconv>

namespace zorun {

namespace {

std::string_view KindPrefix(HostCandidate::Kind kind) {
    switch (kind) {
    case HostCandidate::Kind::Exec:
        return "exec:";
    case HostCandidate::Kind::Application:
        return "application:";
    case HostCandidate::Kind::Default:
        return "default:";
    case HostCandidate::Kind::Category:
        return "category:";
    }
    return "exec:";
}

std::optional<std::size_t> Index(std::string_view text) {
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

} // namespace

std::string CandidateToken(const HostCandidate& candidate) {
    return std::string(KindPrefix(candidate.kind)) + candidate.value;
}

void AppendCandidateTokens(const std::vector<HostCandidate>& set, std::vector<std::string>& out) {
    const std::vector<std::string>* items = nullptr;
    for (const HostCandidate& candidate : set) {
        if (!items || *items != candidate.items) {
            out.emplace_back("items:");
            for (const std::string& item : candidate.items)
                out.push_back("item:" + item);
            items = &candidate.items;
        }
        out.push_back(CandidateToken(candidate));
    }
}

std::string EscapeAnswerValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

std::string UnescapeAnswerValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return out;
}

std::optional<HostSurvey> ParseAnswer(std::string_view answer, std::size_t sets) {
    HostSurvey survey;
    survey.launches.resize(sets);
    std::vector<bool> answered(sets, false);
    enum class Block { None, Launch, Application } block = Block::None;
    HostLaunch launch;
    HostApplication application;
    std::size_t index = 0;
    bool done = false;
    while (!answer.empty()) {
        const auto end = answer.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // every record ends its line
        const std::string_view line = answer.substr(0, end);
        answer.remove_prefix(end + 1);
        if (done)
            return std::nullopt;
        const auto space = line.find(' ');
        const std::string_view key = line.substr(0, space);
        const std::string value =
            space == std::string_view::npos ? "" : UnescapeAnswerValue(line.substr(space + 1));
        if (block == Block::None) {
            if (key == "launch" || key == "none") {
                const auto n = Index(value);
                if (!n || *n >= sets || answered[*n])
                    return std::nullopt;
                answered[*n] = true;
                index = *n;
                if (key == "launch") {
                    block = Block::Launch;
                    launch = {};
                }
            } else if (key == "application") {
                block = Block::Application;
                application = {};
            } else if (key == "done") {
                done = true;
            } else {
                return std::nullopt;
            }
            continue;
        }
        if (key == "end") {
            if (block == Block::Launch) {
                if (launch.argv.empty())
                    return std::nullopt;
                survey.launches[index] = std::move(launch);
            } else {
                survey.applications.push_back(std::move(application));
            }
            block = Block::None;
        } else if (block == Block::Launch) {
            if (key == "id")
                launch.id = value;
            else if (key == "name")
                launch.name = value;
            else if (key == "icon")
                launch.icon = value;
            else if (key == "dir")
                launch.directory = value;
            else if (key == "arg")
                launch.argv.push_back(value);
        } else if (key == "id") {
            application.id = value;
        } else if (key == "name") {
            application.name = value;
        } else if (key == "icon") {
            application.icon = value;
        }
    }
    for (bool a : answered)
        if (!a)
            return std::nullopt;
    if (!done)
        return std::nullopt;
    return survey;
}

} // namespace zorun
