#include "tests/support/XClientLogs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>

XClientLogs::XClientLogs() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zorun-xclient-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        folder_ = pattern;
}

XClientLogs::~XClientLogs() {
    if (folder_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string XClientLogs::Path(const std::string& name) const {
    return folder_ + "/" + name + ".log";
}

std::vector<std::string> XClientLogs::Lines(const std::string& name) const {
    std::ifstream in(Path(name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::size_t XClientLogs::Count(const std::string& name, const std::string& line) const {
    const auto lines = Lines(name);
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

std::map<std::string, std::uint64_t> XClientLogs::Mapped(const std::string& name) const {
    std::map<std::string, std::uint64_t> ids;
    for (const auto& line : Lines(name)) {
        std::istringstream in(line);
        std::string what, title;
        std::uint64_t id = 0;
        if (in >> what >> id && what == "mapped") {
            std::getline(in >> std::ws, title);
            ids[title] = id;
        }
    }
    return ids;
}
