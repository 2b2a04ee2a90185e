// zorun-host: answers the program's questions about the host's applications
// (see platform/host/HostProtocol.h). It loads GIO, which the program itself
// never does, and ends after one answer.

#include <clocale>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/HostProtocol.h"
#include "platform/host/helper/DesktopApplications.h"

using zorun::HostCandidate;

namespace {

struct Request {
    bool survey = false;
    bool applications = false;
    std::vector<std::vector<HostCandidate>> sets{{}};
};

std::optional<HostCandidate::Kind> KindOf(std::string_view prefix) {
    if (prefix == "exec")
        return HostCandidate::Kind::Exec;
    if (prefix == "application")
        return HostCandidate::Kind::Application;
    if (prefix == "default")
        return HostCandidate::Kind::Default;
    if (prefix == "category")
        return HostCandidate::Kind::Category;
    return std::nullopt;
}

std::optional<Request> ReadRequest(int argc, char** argv) {
    if (argc < 2)
        return std::nullopt;
    Request request;
    const std::string_view mode = argv[1];
    if (mode != "resolve" && mode != "survey")
        return std::nullopt;
    request.survey = mode == "survey";
    std::vector<std::string> items;
    std::optional<std::size_t> declared;
    for (int i = 2; i < argc; ++i) {
        const std::string_view token = argv[i];
        if (token == "--applications") {
            request.applications = true;
            continue;
        }
        const auto colon = token.find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = token.substr(0, colon);
        const std::string value(token.substr(colon + 1));
        if (key == "sets") {
            declared = std::stoul(value);
        } else if (key == "next") {
            request.sets.emplace_back();
            items.clear();
        } else if (key == "items") {
            items.clear();
        } else if (key == "item") {
            items.push_back(value);
        } else if (auto kind = KindOf(key)) {
            request.sets.back().push_back({*kind, value, items});
        } else {
            return std::nullopt;
        }
    }
    if (declared) {
        if (*declared == 0 && request.sets.size() == 1 && request.sets.front().empty())
            request.sets.clear();
        else if (*declared != request.sets.size())
            return std::nullopt;
    }
    return request;
}

void Put(const char* key, const std::string& value) {
    std::printf("%s %s\n", key, zorun::EscapeAnswerValue(value).c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::optional<Request> request;
    try {
        request = ReadRequest(argc, argv);
    } catch (const std::exception&) {
        request.reset();
    }
    if (!request) {
        std::fprintf(stderr,
                     "usage: zorun-host resolve|survey [sets:N] [--applications] TOKEN...\n");
        return 2;
    }
    for (std::size_t i = 0; i < request->sets.size(); ++i) {
        std::optional<zorun::HostLaunch> launch;
        for (const HostCandidate& candidate : request->sets[i])
            if ((launch = zorun::host::FindLaunch(candidate)))
                break;
        if (!launch) {
            Put("none", std::to_string(i));
            continue;
        }
        Put("launch", std::to_string(i));
        Put("id", launch->id);
        Put("name", launch->name);
        Put("icon", launch->icon);
        Put("dir", launch->directory);
        for (const std::string& arg : launch->argv)
            Put("arg", arg);
        std::puts("end");
    }
    if (request->applications) {
        for (const zorun::HostApplication& app : zorun::host::MenuApplications()) {
            std::puts("application");
            Put("id", app.id);
            Put("name", app.name);
            Put("icon", app.icon);
            std::puts("end");
        }
    }
    std::puts("done");
    return std::fflush(stdout) == 0 ? 0 : 1;
}
