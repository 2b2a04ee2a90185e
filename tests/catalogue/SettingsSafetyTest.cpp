// The settings file against hostile surroundings: files that would make
// the reader allocate without bound, temporary files of interrupted saves,
// and links that lead out of the device root.

#include <gtest/gtest.h>

#include <unistd.h>

#include "catalogue/DefaultCatalogue.h"
#include "catalogue/SettingsFile.h"
#include "catalogue/SettingsFormat.h"
#include "tests/catalogue/DeviceRootFixture.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Catalogue::DefaultNames English() {
    return {u"Programs", u"Multimedia", u"Game", u"Favorite"};
}

void Put32(Bytes& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A file of four groups whose shortcuts have empty fields (12 bytes each),
// with `pairs` empty reserved pairs.
Bytes EmptyShortcuts(std::uint32_t perGroup, std::uint32_t pairs = 0) {
    Bytes bytes;
    Put32(bytes, 22);
    for (char16_t c : std::u16string_view(u"TRUMO ZORUN"))
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), 0});
    Put32(bytes, 0);
    Put32(bytes, pairs);
    bytes.resize(bytes.size() + 8 * std::size_t{pairs}, 0);
    Put32(bytes, 4);
    for (std::uint32_t s = 0; s < 4; ++s)
        Put32(bytes, s);
    for (int j = 0; j < 4; ++j) {
        Put32(bytes, perGroup);
        Put32(bytes, 0);
        Put32(bytes, 0);
        bytes.resize(bytes.size() + 12 * std::size_t{perGroup}, 0);
    }
    return bytes;
}

class SettingsSafety : public DeviceRootFixture {
  protected:
    fs::path Windows() const { return root_ / "Windows"; }
    void SaveDefault() {
        Catalogue catalogue(English());
        BuildDefaultCatalogue(catalogue);
        ASSERT_TRUE(SaveSettings(catalogue));
    }
};

TEST_F(SettingsSafety, FilesBeyondTheLimitsAreRefusedAndKept) {
    // 4 x 25,000 shortcuts is the most; one more in a group is refused.
    EXPECT_TRUE(IsValidSettings(EmptyShortcuts(25'000)));
    EXPECT_FALSE(IsValidSettings(EmptyShortcuts(25'001)));
    EXPECT_TRUE(IsValidSettings(EmptyShortcuts(1, 4096)));
    EXPECT_FALSE(IsValidSettings(EmptyShortcuts(1, 4097)));

    const Bytes huge = EmptyShortcuts(65'535);
    WriteBytes("Windows/ZorunSetting.qkt", huge);
    Catalogue catalogue(English());
    EXPECT_FALSE(LoadSettings(catalogue));
    BuildDefaultCatalogue(catalogue);
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt.refused-1"), huge);

    // What the reader refuses is not written either.
    CatalogueContents contents = catalogue.Contents();
    for (GroupRecord& group : contents.groupList) {
        group.targets.assign(25'001, u"");
        group.names.assign(25'001, u"");
        group.iconRefs.assign(25'001, u"");
    }
    EXPECT_FALSE(SerializeSettings(contents));
}

TEST_F(SettingsSafety, TemporaryFilesOfInterruptedSavesAreRemovedAtStartAndSave) {
    auto leave = [this](const char* name) { Touch(fs::path("Windows") / name); };
    const char* ours[] = {"ZorunSetting.qkt.tmp-a1B2c3", "ZorunSetting.qkt.tmp-zzzzzz"};
    const char* others[] = {"ZorunSetting.qkt.tmp-toolong", "ZorunSetting.qkt.tmp-ab",
                            "Other.qkt.tmp-a1B2c3", "ZorunSetting.qkt.refused-1"};
    for (const char* name : ours)
        leave(name);
    for (const char* name : others)
        leave(name);
    fs::create_directory(Windows() / "ZorunSetting.qkt.tmp-folder");

    Catalogue catalogue(English());
    EXPECT_FALSE(LoadSettings(catalogue)); // no settings file yet: removed all the same
    for (const char* name : ours)
        EXPECT_FALSE(fs::exists(Windows() / name)) << name;
    for (const char* name : others)
        EXPECT_TRUE(fs::exists(Windows() / name)) << name;
    EXPECT_TRUE(fs::is_directory(Windows() / "ZorunSetting.qkt.tmp-folder"));

    leave(ours[0]);
    SaveDefault();
    EXPECT_FALSE(fs::exists(Windows() / ours[0]));
    for (const char* name : others)
        EXPECT_TRUE(fs::exists(Windows() / name)) << name;
}

TEST_F(SettingsSafety, ALinkOutOfTheRootIsNeitherReadNorWrittenButKept) {
    // A valid settings file outside the root, linked in.
    Catalogue outsideCatalogue(English());
    BuildDefaultCatalogue(outsideCatalogue);
    outsideCatalogue.SetSysInfoMode(3);
    const Bytes outsideBytes = SerializeSettings(outsideCatalogue).value();
    const fs::path outside = root_.string() + "-outside.qkt";
    {
        std::ofstream out(outside, std::ios::binary);
        out.write(reinterpret_cast<const char*>(outsideBytes.data()),
                  static_cast<std::streamsize>(outsideBytes.size()));
    }
    fs::create_symlink(outside, Windows() / "ZorunSetting.qkt");

    Catalogue catalogue(English());
    EXPECT_FALSE(LoadSettings(catalogue));
    BuildDefaultCatalogue(catalogue);
    ASSERT_TRUE(SaveSettings(catalogue));
    // The link is kept as it is under the refused name; nothing was copied
    // in and the outside file is untouched; a plain file took its place.
    EXPECT_TRUE(fs::is_symlink(Windows() / "ZorunSetting.qkt.refused-1"));
    EXPECT_EQ(fs::read_symlink(Windows() / "ZorunSetting.qkt.refused-1"), outside);
    EXPECT_FALSE(fs::is_symlink(Windows() / "ZorunSetting.qkt"));
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt"), SerializeSettings(catalogue).value());
    std::ifstream in(outside, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), outsideBytes);
    fs::remove(outside);

    // A link that climbs out with "..", and a folder on the way leading out.
    fs::remove(Windows() / "ZorunSetting.qkt");
    fs::create_symlink("../../" + root_.filename().string() + "-elsewhere.qkt",
                       Windows() / "ZorunSetting.qkt");
    EXPECT_FALSE(LoadSettings(catalogue));
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_TRUE(fs::is_symlink(Windows() / "ZorunSetting.qkt.refused-2"));
    EXPECT_FALSE(fs::exists(root_.string() + "-elsewhere.qkt"));

    fs::create_directory(root_.string() + "-folder");
    fs::create_directory_symlink(root_.string() + "-folder", root_ / "Linked");
    EXPECT_FALSE(LoadSettings(catalogue, u"\\Linked\\ZorunSetting.qkt"));
    EXPECT_FALSE(SaveSettings(catalogue, u"\\Linked\\ZorunSetting.qkt"));
    EXPECT_TRUE(fs::is_empty(root_.string() + "-folder"));
    fs::remove_all(root_.string() + "-folder");
}

TEST_F(SettingsSafety, ALinkInsideTheRootIsReadAndWrittenThrough) {
    fs::create_directories(root_ / "My Documents");
    Catalogue first(English());
    BuildDefaultCatalogue(first);
    first.SetSysInfoMode(2);
    ASSERT_TRUE(SaveSettings(first, u"\\My Documents\\kept.qkt"));
    fs::create_symlink("../My Documents/kept.qkt", Windows() / "ZorunSetting.qkt");

    Catalogue catalogue(English());
    ASSERT_TRUE(LoadSettings(catalogue));
    EXPECT_EQ(catalogue.SysInfoMode(), 2);
    catalogue.SetSysInfoMode(1);
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_TRUE(fs::is_symlink(Windows() / "ZorunSetting.qkt"));
    EXPECT_EQ(ReadBytes("My Documents/kept.qkt"), SerializeSettings(catalogue).value());
    EXPECT_FALSE(fs::exists(Windows() / "ZorunSetting.qkt.refused-1"));
}

} // namespace

namespace {

// Appends `count` shortcuts of `targetLength` characters to the group at p.
void Fill(Catalogue& catalogue, int p, std::size_t count, std::size_t targetLength = 0) {
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_TRUE(catalogue.AppendShortcut(p, {std::u16string(targetLength, u'x'), u"", u""}));
}

// A saved catalogue reads back the same.
void ExpectReadBack(const Catalogue& catalogue) {
    ASSERT_TRUE(SaveSettings(catalogue));
    Catalogue reread(English());
    ASSERT_TRUE(LoadSettings(reread));
    EXPECT_EQ(reread.Contents(), catalogue.Contents());
}

} // namespace

TEST_F(SettingsSafety, ShortcutsBeyondTheLimitsAreRefusedBeforeTheyAreMade) {
    Catalogue catalogue(English());
    BuildDefaultCatalogue(catalogue);
    const ShortcutRecord one{u"\\windows\\pword.exe", u"Word", u"0"};
    ASSERT_TRUE(catalogue.AppendShortcut(0, one));

    // One group's count field is full at 65,535, though the file has room.
    Fill(catalogue, 1, kMaxGroupShortcuts - catalogue.Group(1).Count());
    EXPECT_FALSE(SettingsHoldAfter(catalogue, 1, one));
    EXPECT_TRUE(SettingsHoldAfter(catalogue, 0, one));
    const ShortcutRecord inFull = catalogue.Group(1).Shortcut(0);
    EXPECT_TRUE(SettingsHoldAfter(catalogue, 1, inFull, 1, &inFull)) << "moved within the group";
    EXPECT_FALSE(SettingsHoldAfter(catalogue, 1, one, 0, &one)) << "moved into it";

    // The whole file holds 100,000 shortcuts.
    const std::size_t held = MeasureSettings(catalogue)->shortcuts;
    Fill(catalogue, 2, kMaxSettingsShortcuts - held - 1);
    ASSERT_TRUE(SettingsHoldAfter(catalogue, 3, one));
    ASSERT_TRUE(catalogue.AppendShortcut(3, one));
    EXPECT_EQ(MeasureSettings(catalogue)->shortcuts, kMaxSettingsShortcuts);
    EXPECT_FALSE(SettingsHoldAfter(catalogue, 0, one));
    const ShortcutRecord moved = catalogue.Group(3).Shortcut(0);
    EXPECT_TRUE(SettingsHoldAfter(catalogue, 0, moved, 3, &moved)) << "a move adds none";
    ShortcutRecord renamed = one;
    renamed.name = u"Word processor";
    EXPECT_TRUE(SettingsHoldAfter(catalogue, 3, renamed, 3, &one));
    // A string longer than a group string's length field is refused anywhere.
    EXPECT_FALSE(
        SettingsHoldAfter(catalogue, 3, {std::u16string(32'768, u'x'), u"", u""}, 3, &one));
    ExpectReadBack(catalogue);
}

TEST_F(SettingsSafety, AFileFilledToItsLastByteIsWrittenAndReadBack) {
    Catalogue catalogue(English());
    BuildDefaultCatalogue(catalogue);
    // Shortcuts of 60,012 bytes each up to just below the file's limit.
    constexpr std::size_t kLength = 30'000;
    const std::size_t used = MeasureSettings(catalogue)->bytes;
    Fill(catalogue, 0, (kMaxSettingsFileBytes - used - 1000) / (12 + 2 * kLength), kLength);
    const std::size_t room = kMaxSettingsFileBytes - MeasureSettings(catalogue)->bytes;
    ASSERT_GE(room, 1000u);

    const std::size_t fits = (room - 12) / 2;
    EXPECT_FALSE(SettingsHoldAfter(catalogue, 2, {std::u16string(fits + 1, u'y'), u"", u""}));
    const ShortcutRecord last{std::u16string(fits, u'y'), u"", u""};
    ASSERT_TRUE(SettingsHoldAfter(catalogue, 2, last));
    ASSERT_TRUE(catalogue.AppendShortcut(2, last));
    EXPECT_LE(room - (12 + 2 * fits), 1u);

    // Full: a rename to a longer name is refused, one as long is not.
    ShortcutRecord longer = last;
    longer.name = u"A";
    EXPECT_FALSE(SettingsHoldAfter(catalogue, 2, longer, 2, &last));
    ShortcutRecord same = last;
    same.target.back() = u'z';
    EXPECT_TRUE(SettingsHoldAfter(catalogue, 2, same, 2, &last));

    const auto bytes = SerializeSettings(catalogue);
    ASSERT_TRUE(bytes);
    EXPECT_GE(bytes->size() + 1, kMaxSettingsFileBytes);
    ExpectReadBack(catalogue);
}
