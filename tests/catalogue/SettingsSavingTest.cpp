// Saving what changed only, and reading groups when first needed: a save
// with the bytes already on disk writes nothing, any change is written, and
// a catalogue read from the file saves and edits as one read in full.

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

#include "catalogue/DefaultCatalogue.h"
#include "catalogue/SettingsFile.h"
#include "catalogue/SettingsFormat.h"
#include "platform/base/Format.h"
#include "platform/kernel/FileSystem.h"
#include "tests/catalogue/DeviceRootFixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Catalogue::DefaultNames English() {
    return {u"Programs", u"Multimedia", u"Game", u"Favorite"};
}

CatalogueContents Groups(int count, int shortcuts) {
    CatalogueContents contents;
    for (int s = 0; s < count; ++s) {
        contents.groupOrder.push_back(static_cast<std::uint8_t>(count - 1 - s));
        contents.groupNames.push_back(zorun::Format(u"Group %d", count - 1 - s));
        contents.backgroundPaths.push_back(zorun::Format(u"\\Windows\\back %d.bmp", s));
        GroupRecord& group = contents.groupList.emplace_back();
        for (int i = 0; i < shortcuts; ++i)
            group.Append({zorun::Format(u"\\Windows\\Programs\\p%d-%d.exe", s, i),
                          zorun::Format(u"Program %d-%d", s, i), i % 2 ? u"0" : u"145"});
    }
    return contents;
}

class SettingsSaving : public DeviceRootFixture {
  protected:
    std::filesystem::path File() const { return root_ / "Windows" / "ZorunSetting.qkt"; }
    // What a write replaces: the entry and its times.
    struct Version {
        ino_t inode;
        timespec modified;
        bool operator==(const Version& o) const {
            return inode == o.inode && modified.tv_sec == o.modified.tv_sec &&
                   modified.tv_nsec == o.modified.tv_nsec;
        }
    };
    Version OnDisk() const {
        struct stat info {};
        EXPECT_EQ(stat(File().c_str(), &info), 0);
        return {info.st_ino, info.st_mtim};
    }
};

TEST_F(SettingsSaving, TheSameBytesAreNotWrittenAgainAndAnyChangeIs) {
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(Groups(5, 3)));
    ASSERT_TRUE(SaveSettings(catalogue));
    const Version first = OnDisk();

    // Nothing changed: no write, at once or after a change made and undone.
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(OnDisk(), first);
    catalogue.SetSysInfoMode(2);
    catalogue.SetSysInfoMode(0);
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(OnDisk(), first);
    // Another catalogue (a later start) with the same contents writes nothing either.
    Catalogue again(English());
    ASSERT_TRUE(LoadSettings(again));
    ASSERT_TRUE(SaveSettings(again));
    EXPECT_EQ(OnDisk(), first);

    // Any change is written.
    ASSERT_TRUE(catalogue.SetShortcutName(1, 2, u"Renamed"));
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_FALSE(OnDisk() == first);
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt"), SerializeSettings(catalogue).value());

    // So is the catalogue when the file changed behind our back, or lost
    // its hidden mark.
    const Bytes ours = ReadBytes("Windows/ZorunSetting.qkt");
    Bytes theirs = ours;
    theirs[4 + 22] = 3; // sysInfoMode, in place, same size
    WriteBytes("Windows/ZorunSetting.qkt", theirs);
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt"), ours);
    ASSERT_TRUE(SetFileAttributesW(u"\\Windows\\ZorunSetting.qkt", FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\ZorunSetting.qkt"), FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(SettingsSaving, AFileReplacedAfterOurWriteIsCheckedAndKeptWhenRefused) {
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(Groups(4, 2)));
    ASSERT_TRUE(SaveSettings(catalogue));
    // Same size as ours, so only its identity tells it apart.
    Bytes damaged = ReadBytes("Windows/ZorunSetting.qkt");
    damaged[0] = 0x15;
    std::filesystem::remove(File());
    WriteBytes("Windows/ZorunSetting.qkt", damaged);
    ASSERT_TRUE(catalogue.SetShortcutName(0, 0, u"changed"));
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt.refused-1"), damaged);
}

TEST_F(SettingsSaving, GroupsReadWhenFirstNeededSaveAndEditAsIfReadWhole) {
    Catalogue original(English());
    ASSERT_TRUE(original.Replace(Groups(9, 7)));
    ASSERT_TRUE(SaveSettings(original));
    const Bytes file = ReadBytes("Windows/ZorunSetting.qkt");

    Catalogue loaded(English());
    ASSERT_TRUE(LoadSettings(loaded));
    std::size_t index = 0;
    EXPECT_NE(loaded.EncodedGroup(3, index), nullptr);
    EXPECT_EQ(SerializeSettings(loaded), file);
    // Edits on groups not looked at yet: the lists come out as if edited
    // on the catalogue read in full.
    ASSERT_TRUE(loaded.AppendShortcut(4, {u"\\Windows\\new.exe", u"New", u"0"}));
    ASSERT_TRUE(original.AppendShortcut(4, {u"\\Windows\\new.exe", u"New", u"0"}));
    ASSERT_TRUE(loaded.RemoveGroup(6));
    ASSERT_TRUE(original.RemoveGroup(6));
    ASSERT_TRUE(loaded.RemoveShortcut(2, 0));
    ASSERT_TRUE(original.RemoveShortcut(2, 0));
    EXPECT_EQ(SerializeSettings(loaded), SerializeSettings(original));
    EXPECT_EQ(loaded.Group(7).names, original.Group(7).names);
    EXPECT_EQ(loaded.Contents(), original.Contents());
    EXPECT_EQ(loaded.EncodedGroup(0, index), nullptr);
}

TEST_F(SettingsSaving, GroupsThatReadBackOtherwiseAreWrittenAsTheyReadBack) {
    // A NUL inside a string, a length with high bits and an odd length: the
    // reader cuts or masks them, so copying the bytes would not read back
    // as what the catalogue shows.
    Bytes bytes = SerializeSettings(Groups(4, 1)).value();
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(ParseSettings(bytes).value()));
    const std::size_t entry0 = 4 + 22 + 12 + 16;
    const std::size_t firstTarget = entry0 + 4 + (4 + 2 * std::u16string_view(u"Group 3").size()) +
                                    (4 + 2 * std::u16string_view(u"\\Windows\\back 0.bmp").size());
    Bytes nul = bytes;
    nul[firstTarget + 4 + 2] = 0;
    nul[firstTarget + 4 + 3] = 0;
    Bytes high = bytes;
    high[firstTarget + 2] = 0x01;
    Bytes oddLength = bytes;
    oddLength[firstTarget] += 1;
    oddLength.insert(oddLength.begin() + static_cast<std::ptrdiff_t>(firstTarget + 4), 'x');
    for (const Bytes& odd : {nul, high, oddLength}) {
        WriteBytes("Windows/ZorunSetting.qkt", odd);
        Catalogue loaded(English());
        ASSERT_TRUE(LoadSettings(loaded));
        const auto written = SerializeSettings(loaded);
        ASSERT_TRUE(written);
        EXPECT_EQ(written, SerializeSettings(ParseSettings(odd).value()));
        EXPECT_EQ(ParseSettings(*written), ParseSettings(odd));
    }
}

} // namespace

namespace {

// Strings written up to their first NUL, wherever it falls among the
// characters looked at together, and whatever characters stand around it
// (those whose bits come close to a zero character included).
TEST(SettingsStrings, AreWrittenUpToTheirFirstNulAndReadBackSo) {
    const std::u16string filler = u"\u0001\u8000\uFFFF\u0100abc\u00FF\u7FFF";
    CatalogueContents contents = Groups(4, 0);
    std::vector<std::u16string> expected;
    for (std::size_t length = 0; length <= 13; ++length) {
        for (std::size_t nul = 0; nul <= length; ++nul) {
            std::u16string text;
            for (std::size_t i = 0; i < length; ++i)
                text.push_back(filler[(i + nul) % filler.size()]);
            if (nul < length)
                text[nul] = u'\0';
            contents.groupList[0].Append({text, u"n", u"0"});
            expected.push_back(text.substr(0, nul));
        }
    }
    const auto bytes = SerializeSettings(contents);
    ASSERT_TRUE(bytes);
    const auto read = ParseSettings(*bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->groupList[0].targets, expected);
}

} // namespace
