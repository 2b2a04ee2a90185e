#include "platform/host/HostProgramRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace zorun {

namespace {

constexpr std::string_view kFirstLine = "# Zorun: what it found and made for this device (its own)";

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

bool Clean(const std::string& field) {
    return field.find_first_of("\t\n\r") == std::string::npos;
}

} // namespace

std::string FoldRecordPath(const std::string& relative) {
    std::string folded = relative;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

std::string HostProgramRecord::IconFor(const std::string& relative) const {
    const auto it = icons_.find(FoldRecordPath(relative));
    return it == icons_.end() ? std::string() : it->second;
}

void HostProgramRecord::SetIcon(const std::string& relative, const std::string& icon) {
    if (icon.empty() || !Clean(icon))
        icons_.erase(FoldRecordPath(relative));
    else
        icons_[FoldRecordPath(relative)] = icon;
}

HostProgramRecord HostProgramRecord::FromText(std::string_view text) {
    HostProgramRecord record;
    std::istringstream in{std::string(text.substr(0, kSizeLimit))};
    std::string line;
    if (!std::getline(in, line) || line != kFirstLine)
        return record;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find('\r') != std::string::npos)
            continue;
        const auto f = Fields(line);
        if (f[0] == "stamp" && f.size() == 2) {
            record.stamp = f[1];
        } else if (f[0] == "icon" && f.size() == 3) {
            record.icons_[f[1]] = f[2];
        } else if (f[0] == "program" && f.size() == 2) {
            record.programs.insert(f[1]);
        } else if (f[0] == "application" && f.size() >= 2 && f.size() % 2 == 0) {
            auto& files = record.applications[f[1]];
            for (std::size_t i = 2; i + 1 < f.size(); i += 2)
                files.push_back({f[i], std::strtoull(f[i + 1].c_str(), nullptr, 16)});
        }
    }
    return record;
}

std::string HostProgramRecord::Text() const {
    std::ostringstream out;
    out << kFirstLine << "\n";
    out << "stamp\t" << stamp << "\n";
    for (const auto& [path, icon] : icons_)
        if (Clean(path))
            out << "icon\t" << path << "\t" << icon << "\n";
    for (const auto& path : programs)
        if (Clean(path))
            out << "program\t" << path << "\n";
    for (const auto& [id, files] : applications) {
        if (!Clean(id))
            continue;
        out << "application\t" << id;
        for (const MadeFile& made : files) {
            char mark[17];
            std::snprintf(mark, sizeof mark, "%016llx", static_cast<unsigned long long>(made.mark));
            out << "\t" << made.path << "\t" << mark;
        }
        out << "\n";
    }
    return out.str();
}

} // namespace zorun
