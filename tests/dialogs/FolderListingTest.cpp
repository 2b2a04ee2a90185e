// How the program browser lists a folder of the device: which entries it
// shows, in which order, and their date and size columns.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <utime.h>

#include "dialogs/FolderListing.h"
#include "platform/base/Text.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/FindFile.h"
#include "tests/support/ProgramFixture.h"

namespace {

using Names = std::vector<std::u16string>;
const Names kPrograms{u".exe", u".lnk"};

class FolderListingTest : public ProgramFixture {
  protected:
    static Names RowNames(const FolderListing& listing) {
        Names names;
        for (const auto& row : listing.files)
            names.push_back(row.name);
        return names;
    }
    void MakeFolder(const char* relative) {
        std::filesystem::create_directories(DeviceRoot() / relative);
    }
};

TEST_F(FolderListingTest, FoldersAndMatchingFilesEachInTheirOwnListSortedIgnoringCase) {
    for (const char* folder :
         {"Windows/Zeta", "Windows/1st", "Windows/apps", "Windows/Start Menu", "Windows/tools.exe"})
        MakeFolder(folder);
    for (const char* file : {"Windows/Notes.EXE", "Windows/setup.exe.bak", "Windows/calc.exe",
                             "Windows/readme.txt", "Windows/Tool.lnk", "Windows/both.exe.lnk",
                             "Windows/_first.exe", "Windows/Start Menu/inside.exe"})
        WriteDeviceFile(file, "x");

    const FolderListing listing = FolderListing::Read(u"\\windows", kPrograms);
    // The folder itself first, even before a name starting with a digit.
    EXPECT_EQ(listing.folderNames,
              (Names{u"<\\windows>", u"1st", u"apps", u"Start Menu", u"tools.exe", u"Zeta"}));
    // Matched on the lower-cased name, anywhere in it; shown as found; a
    // name holding both extensions once per extension. '_' sorts before
    // letters, as lower-cased names compare.
    EXPECT_EQ(RowNames(listing), (Names{u"_first.exe", u"both.exe.lnk", u"both.exe.lnk",
                                        u"calc.exe", u"Notes.EXE", u"setup.exe.bak", u"Tool.lnk"}));
    EXPECT_EQ(listing.fileNames, RowNames(listing));

    // Pictures for the group dialog: only ".bmp".
    WriteDeviceFile("Windows/skin 1.BMP", "x");
    EXPECT_EQ(RowNames(FolderListing::Read(u"\\Windows", {u".bmp"})), (Names{u"skin 1.BMP"}));
}

TEST_F(FolderListingTest, TheRootHiddenEntriesAndAFolderThatCannotBeSearched) {
    MakeFolder("My Documents");
    WriteDeviceFile("secret.exe", "x");
    ASSERT_TRUE(SetFileAttributesW(u"\\secret.exe", FILE_ATTRIBUTE_HIDDEN));
    const FolderListing root = FolderListing::Read(u"", kPrograms);
    EXPECT_EQ(root.folderNames, (Names{u"<>", u"My Documents", u"Windows"}));
    EXPECT_EQ(RowNames(root), (Names{u"secret.exe"}));

    const FolderListing missing = FolderListing::Read(u"\\Windows\\gone", kPrograms);
    EXPECT_EQ(missing.folderNames, (Names{u"<\\Windows\\gone>"}));
    EXPECT_TRUE(missing.files.empty());
    MakeFolder("Windows/empty");
    EXPECT_EQ(FolderListing::Read(u"\\Windows\\empty", kPrograms).folderNames,
              (Names{u"<\\Windows\\empty>"}));
}

TEST_F(FolderListingTest, DateAndSizeColumns) {
    const auto path = WriteDeviceFile("Windows/app.exe", std::string(2048, 'x'));
    // 14:05 on 27 January 2005, UTC.
    const utimbuf times{1106834700, 1106834700};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
    const FolderListing listing = FolderListing::Read(u"\\Windows", kPrograms);
    ASSERT_EQ(listing.files.size(), 1u);
    EXPECT_EQ(listing.files[0].date, u"2005/1/27,14:5");
    EXPECT_EQ(listing.files[0].size, u"2048");

    // Sizes past 32 bits are shown whole.
    WIN32_FIND_DATAW big{};
    big.nFileSizeHigh = 1;
    EXPECT_EQ(FolderListing::SizeText(big), u"4294967296");
    big.nFileSizeHigh = 0;
    big.nFileSizeLow = 0xC0000000u;
    EXPECT_EQ(FolderListing::SizeText(big), u"3221225472");
    // A time the device cannot show leaves the date empty.
    big.ftLastWriteTime = {0, 0x80000000u};
    EXPECT_EQ(FolderListing::DateText(big), u"");
}

TEST_F(FolderListingTest, AFolderOfThousandsOfEntriesIsListedWhole) {
    constexpr int kFiles = 1500, kFolders = 500;
    const auto big = DeviceRoot() / "Windows" / "big";
    std::filesystem::create_directories(big);
    for (int i = kFiles - 1; i >= 0; --i)
        std::ofstream(big / ("p" + std::to_string(i) + ".exe"));
    for (int i = 0; i < kFolders; ++i)
        std::filesystem::create_directory(big / ("F" + std::to_string(i)));
    const FolderListing listing = FolderListing::Read(u"\\Windows\\big", kPrograms);
    ASSERT_EQ(listing.files.size(), std::size_t(kFiles));
    ASSERT_EQ(listing.folderNames.size(), std::size_t(kFolders + 1));
    auto before = [](const std::u16string& a, const std::u16string& b) {
        return zorun::CompareNoCase(a, b) < 0;
    };
    EXPECT_TRUE(std::is_sorted(listing.fileNames.begin(), listing.fileNames.end(), before));
    EXPECT_TRUE(std::is_sorted(listing.folderNames.begin() + 1, listing.folderNames.end(), before));
    EXPECT_EQ(listing.fileNames.front(), u"p0.exe");
}

TEST(InsertSorted, GoesBeforeTheFirstNameEqualOrGreaterAndSaysWhere) {
    Names names;
    EXPECT_EQ(FolderListing::InsertSorted(names, u"b"), 0);
    EXPECT_EQ(FolderListing::InsertSorted(names, u"D"), 1);
    EXPECT_EQ(FolderListing::InsertSorted(names, u"c"), 1);
    EXPECT_EQ(FolderListing::InsertSorted(names, u"B"), 0); // before its equal
    EXPECT_EQ(FolderListing::InsertSorted(names, u"z"), 4);
    EXPECT_EQ(names, (Names{u"B", u"b", u"c", u"D", u"z"}));
    // Past a first entry that stays first.
    Names folders{u"<\\x>"};
    EXPECT_EQ(FolderListing::InsertSorted(folders, u"2nd", 1), 1);
    EXPECT_EQ(FolderListing::InsertSorted(folders, u"1st", 1), 1);
    EXPECT_EQ(folders, (Names{u"<\\x>", u"1st", u"2nd"}));
}

} // namespace
