#include "dialogs/FolderListing.h"

#include <algorithm>

#include "platform/base/Format.h"
#include "platform/base/Text.h"
#include "platform/kernel/FindFile.h"
#include "platform/kernel/LocalTime.h"

FolderListing FolderListing::Read(std::u16string_view folder,
                                  const std::vector<std::u16string>& extensions) {
    FolderListing listing;
    listing.folderNames.push_back(zorun::Format(u"<%s>", folder));

    std::u16string pattern(folder);
    pattern += u"\\*";
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return listing;
    do {
        const std::u16string name(entry.cFileName, zorun::BoundedLength(entry.cFileName, MAX_PATH));
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            InsertSorted(listing.folderNames, name, 1);
            continue;
        }
        const std::u16string lowered = zorun::FoldText(name);
        for (const std::u16string& extension : extensions) {
            if (lowered.find(extension) == std::u16string::npos)
                continue;
            const int at = InsertSorted(listing.fileNames, name);
            listing.files.insert(listing.files.begin() + at,
                                 FileRow{name, DateText(entry), SizeText(entry)});
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return listing;
}

int FolderListing::InsertSorted(std::vector<std::u16string>& names, std::u16string name,
                                std::size_t first) {
    first = std::min(first, names.size());
    // The names are kept in order, so the first one not less than `name` is
    // found by halving.
    const auto at = std::lower_bound(
        names.begin() + static_cast<std::ptrdiff_t>(first), names.end(), name,
        [](const auto& a, const auto& b) { return zorun::CompareNoCase(a, b) < 0; });
    const auto position = at - names.begin();
    names.insert(at, std::move(name));
    return static_cast<int>(position);
}

std::u16string FolderListing::DateText(const WIN32_FIND_DATAW& entry) {
    SYSTEMTIME time{};
    if (!FileTimeToSystemTime(&entry.ftLastWriteTime, &time))
        return {};
    return zorun::Format(u"%4i/%1i/%1i,%1i:%1i", int(time.wYear), int(time.wMonth), int(time.wDay),
                         int(time.wHour), int(time.wMinute));
}

std::u16string FolderListing::SizeText(const WIN32_FIND_DATAW& entry) {
    // The whole size: the low 32 bits alone would show a file of 4 GB as 0
    // and one of 3 GB as a negative number.
    const std::uint64_t size =
        (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    return zorun::Format(u"%u", static_cast<unsigned long long>(size));
}
