#pragma once
// One folder of the device as the program browser shows it: the folder
// list (the folder itself as "<folder>", then its subfolders) and the rows
// of the file list (name, date, size) for the files whose lower-cased name
// contains one of the wanted extensions anywhere (one row per extension it
// contains). Both lists are sorted ignoring case, as InsertSorted places
// names; a hidden entry is listed like any other. There is no limit on the
// number of entries: a folder of thousands of files is listed whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct WIN32_FIND_DATAW;

class FolderListing {
  public:
    struct FileRow {
        std::u16string name; // as found, not lower-cased
        std::u16string date; // last write, UTC: "2005/1/27,14:5"
        std::u16string size; // bytes: "2048"
    };

    // Searches `folder` (a device path; the empty text is the root) for
    // every entry. A folder that cannot be searched lists only itself.
    [[nodiscard]] static FolderListing Read(std::u16string_view folder,
                                            const std::vector<std::u16string>& extensions);

    // Puts `name` before the first name that compares equal or greater
    // ignoring case (after the last when there is none), starting at `first`;
    // the position used. The names from `first` on must be in that order.
    static int InsertSorted(std::vector<std::u16string>& names, std::u16string name,
                            std::size_t first = 0);

    // The date and size columns of one search result.
    [[nodiscard]] static std::u16string DateText(const WIN32_FIND_DATAW& entry);
    [[nodiscard]] static std::u16string SizeText(const WIN32_FIND_DATAW& entry);

    // Entry 0 is "<folder>" ("<>" for the root); subfolders follow.
    std::vector<std::u16string> folderNames;
    // The file names of `files`, in the same order.
    std::vector<std::u16string> fileNames;
    std::vector<FileRow> files;
};
