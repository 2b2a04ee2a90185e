// The settings file: byte layout, round trips, refusals, keeping refused
// files, and saving that never loses the old file.

#include <gtest/gtest.h>

#include <random>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "catalogue/DefaultCatalogue.h"
#include "catalogue/SettingsFile.h"
#include "catalogue/SettingsFormat.h"
#include "platform/kernel/FileSystem.h"
#include "tests/catalogue/DeviceRootFixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Catalogue::DefaultNames English() {
    return {u"Programs", u"Multimedia", u"Game", u"Favorite"};
}

std::u16string RandomText(std::mt19937& random, std::size_t length) {
    static const char16_t pool[] = u"abcXYZ 019\\.éßЖ日本語\u00A0";
    std::u16string text;
    while (text.size() < length) {
        if (length - text.size() >= 2 && random() % 16 == 0) {
            text += u"\U0001F600"; // a pair of surrogates
            continue;
        }
        text += pool[random() % (std::size(pool) - 1)];
    }
    return text;
}

std::u16string RandomString(std::mt19937& random) {
    switch (random() % 8) {
    case 0:
        return u"";
    case 1:
        return RandomText(random, 256); // the longest a dialog allows: L = 512
    default:
        return RandomText(random, random() % 40);
    }
}

CatalogueContents RandomContents(std::mt19937& random) {
    CatalogueContents contents;
    const std::size_t n = 4 + random() % 253;
    contents.sysInfoMode = static_cast<std::int32_t>(random() % 4);
    for (std::size_t i = random() % 3; i > 0; --i) {
        contents.reservedPairs.first.push_back(RandomString(random));
        contents.reservedPairs.second.push_back(RandomString(random));
    }
    for (std::size_t s = 0; s < n; ++s) {
        contents.groupOrder.push_back(static_cast<std::uint8_t>(s));
        contents.groupNames.push_back(RandomString(random) +
                                      std::u16string(1, char16_t(0x4E00 + s)));
        contents.backgroundPaths.push_back(RandomString(random));
        GroupRecord& group = contents.groupList.emplace_back();
        const std::size_t k = random() % 3 == 0 ? 0 : random() % 20;
        for (std::size_t i = 0; i < k; ++i)
            group.Append(
                {RandomString(random), RandomString(random), random() % 2 ? u"0" : u"145"});
    }
    std::shuffle(contents.groupOrder.begin(), contents.groupOrder.end(), random);
    return contents;
}

Bytes Utf16(std::u16string_view text) {
    Bytes bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

void Put32(Bytes& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutString(Bytes& bytes, std::u16string_view text) {
    Put32(bytes, static_cast<std::uint32_t>(text.size() * 2));
    Bytes utf16 = Utf16(text);
    bytes.insert(bytes.end(), utf16.begin(), utf16.end());
}

// A hand-made file: header text, reserved pairs claimed, groups with one
// shortcut each.
Bytes HandMade(std::u16string_view header, std::uint32_t pairCount,
               const std::vector<std::uint32_t>& order) {
    Bytes bytes;
    PutString(bytes, header);
    Put32(bytes, 1);
    Put32(bytes, pairCount);
    Put32(bytes, static_cast<std::uint32_t>(order.size()));
    for (std::uint32_t s : order)
        Put32(bytes, s);
    for (std::size_t j = 0; j < order.size(); ++j) {
        Put32(bytes, 1);
        PutString(bytes, u"group " + std::u16string(1, u'A' + j));
        PutString(bytes, u"");
        PutString(bytes, u"\\Windows\\x.exe");
        PutString(bytes, u"x");
        PutString(bytes, u"0");
    }
    return bytes;
}

TEST(SettingsFormat, RandomCataloguesRoundTripListsAndBytes) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 25; ++round) {
        const CatalogueContents contents = RandomContents(random);
        Catalogue catalogue(English());
        ASSERT_TRUE(catalogue.Replace(contents));
        auto bytes = SerializeSettings(catalogue);
        ASSERT_TRUE(bytes);
        auto read = ParseSettings(*bytes);
        ASSERT_TRUE(read) << "round " << round;
        EXPECT_EQ(*read, contents) << "round " << round;
        EXPECT_EQ(SerializeSettings(*read), bytes) << "round " << round;
    }
}

TEST(SettingsFormat, StringsAreWrittenWithTwiceTheirLengthAndReadBackBeyond256) {
    Catalogue catalogue(English());
    CatalogueContents contents = DefaultCatalogueContents(LanguageDefaultCatalogueTexts());
    contents.groupNames[0] = std::u16string(256, u'n');
    // A background chosen by browsing may be longer than a typed name.
    contents.backgroundPaths[1] = u"\\" + std::u16string(299, u'p');
    ASSERT_TRUE(catalogue.Replace(contents));
    auto bytes = SerializeSettings(catalogue);
    ASSERT_TRUE(bytes);
    // Group entry 0 follows the 4 order values: its count, then the name's length.
    const std::size_t entry0 = 4 + 22 + 4 + 4 + 4 + 16;
    EXPECT_EQ((*bytes)[entry0 + 4], 0x00);
    EXPECT_EQ((*bytes)[entry0 + 5], 0x02); // L = 512
    auto read = ParseSettings(*bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->groupNames[0].size(), 256u);
    EXPECT_EQ(read->backgroundPaths[1].size(), 300u);

    // What the 16-bit length cannot carry is not written at all.
    contents.backgroundPaths[1] = std::u16string(40000, u'p');
    ASSERT_TRUE(catalogue.Replace(contents));
    EXPECT_FALSE(SerializeSettings(catalogue));
    EXPECT_FALSE(SerializeSettings(Catalogue(English()))); // nothing loaded yet
}

TEST(SettingsFormat, OrganizedCatalogueMixesIndexSpacesInTheFileAndReadsBackWhole) {
    Catalogue catalogue(English());
    ASSERT_TRUE(
        catalogue.Replace(ParseSettings(HandMade(u"TRUMO ZORUN", 0, {0, 1, 2, 3})).value()));
    ASSERT_TRUE(catalogue.AppendShortcut(0, {u"\\Windows\\only-a.exe", u"only A", u"0"}));
    ASSERT_TRUE(catalogue.SetOrder({3, 0, 1, 2}, {u"group D", u"group A", u"group B", u"group C"}));
    auto bytes = SerializeSettings(catalogue);
    ASSERT_TRUE(bytes);
    // Entry 0: shortcut count 2 (group A's), then the name "group D".
    const std::size_t entry0 = 4 + 22 + 4 + 4 + 4 + 16;
    EXPECT_EQ((*bytes)[entry0], 2);
    const Bytes name = Utf16(u"group D");
    EXPECT_TRUE(std::equal(name.begin(), name.end(), bytes->begin() + entry0 + 8));

    Catalogue loaded(English());
    ASSERT_TRUE(loaded.Replace(ParseSettings(*bytes).value()));
    EXPECT_EQ(loaded.GroupName(0), u"group D");
    EXPECT_EQ(loaded.Group(0).Count(), 1u);
    EXPECT_EQ(loaded.GroupName(1), u"group A");
    EXPECT_EQ(loaded.Group(1).names, (std::vector<std::u16string>{u"x", u"only A"}));
}

TEST(SettingsFormat, RefusesBrokenFilesAndAcceptsALowerCaseHeader) {
    EXPECT_TRUE(ParseSettings(HandMade(u"TRUMO ZORUN", 0, {1, 0, 3, 2})));
    EXPECT_TRUE(ParseSettings(HandMade(u"trumo zorun", 0, {1, 0, 3, 2})));
    EXPECT_TRUE(ParseSettings(HandMade(std::u16string(u"TRUMO ZORUN\0junk", 16), 0, {0, 1, 2, 3})));
    EXPECT_FALSE(ParseSettings(HandMade(u"TRUMO ZORUM", 0, {0, 1, 2, 3})));
    EXPECT_FALSE(ParseSettings(HandMade(u"TRUMO ZORUN ", 0, {0, 1, 2, 3})));
    // Reserved pairs claimed beyond the end of the file.
    EXPECT_FALSE(ParseSettings(HandMade(u"TRUMO ZORUN", 1000, {0, 1, 2, 3})));
    // Order tables that are not a permutation; fewer than four groups.
    EXPECT_FALSE(ParseSettings(HandMade(u"TRUMO ZORUN", 0, {0, 1, 1, 3})));
    EXPECT_FALSE(ParseSettings(HandMade(u"TRUMO ZORUN", 0, {0, 1, 2, 4})));
    EXPECT_FALSE(ParseSettings(HandMade(u"TRUMO ZORUN", 0, {0, 1, 2})));
    // Order values and counts count by their low bits only.
    auto high = ParseSettings(HandMade(u"TRUMO ZORUN", 0, {0x100, 0x201, 0x302, 0xFF03}));
    ASSERT_TRUE(high);
    EXPECT_EQ(high->groupOrder, (std::vector<std::uint8_t>{0, 1, 2, 3}));
    // A string length beyond the bytes left.
    Bytes longName = HandMade(u"TRUMO ZORUN", 0, {0, 1, 2, 3});
    longName[4 + 22 + 12 + 16 + 4] = 0xFF;
    longName[4 + 22 + 12 + 16 + 5] = 0x7F;
    EXPECT_FALSE(ParseSettings(longName));
    EXPECT_FALSE(ParseSettings(Bytes{}));
}

TEST(SettingsFormat, AFileCutAtAnyByteIsRefusedWithoutReadingPastItsEnd) {
    std::mt19937 random(7);
    CatalogueContents contents = RandomContents(random);
    contents.reservedPairs.first = {u"first"};
    contents.reservedPairs.second = {u"second"};
    contents.groupNames.resize(5);
    contents.groupOrder = {4, 2, 0, 1, 3};
    contents.backgroundPaths.resize(5);
    contents.groupList.resize(5);
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(contents));
    const Bytes bytes = SerializeSettings(catalogue).value();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        // An exact-size copy, so that a read past the end is caught by ASan.
        const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(ParseSettings(prefix)) << "cut at " << cut;
        EXPECT_FALSE(IsValidSettings(prefix)) << "cut at " << cut;
    }
    EXPECT_TRUE(ParseSettings(bytes));
    EXPECT_TRUE(IsValidSettings(bytes));
}

class SettingsFileTest : public DeviceRootFixture {
  protected:
    void SaveDefault() {
        Catalogue catalogue(English());
        BuildDefaultCatalogue(catalogue);
        ASSERT_TRUE(SaveSettings(catalogue));
    }
};

TEST_F(SettingsFileTest, DefaultCatalogueFileStartsWithTheKnownBytes) {
    Touch("Windows/tmail.exe");
    SaveDefault();
    const Bytes bytes = ReadBytes("Windows/ZorunSetting.qkt");
    Bytes expected = {0x16, 0, 0, 0};
    const Bytes header = Utf16(u"TRUMO ZORUN");
    expected.insert(expected.end(), header.begin(), header.end());
    for (std::uint32_t value : {0u, 0u, 4u, 0u, 1u, 2u, 3u, 1u})
        Put32(expected, value);
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + expected.size()), expected);
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\ZorunSetting.qkt"), FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(SettingsFileTest, LoadingAndSavingRewritesTheFileByteForByte) {
    std::mt19937 random(99);
    Catalogue original(English());
    ASSERT_TRUE(original.Replace(RandomContents(random)));
    ASSERT_TRUE(SaveSettings(original));
    const Bytes first = ReadBytes("Windows/ZorunSetting.qkt");

    Catalogue loaded(English());
    ASSERT_TRUE(LoadSettings(loaded, u"\\windows\\zorunsetting.QKT"));
    EXPECT_EQ(loaded.Contents(), original.Contents());
    ASSERT_TRUE(SaveSettings(loaded));
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt"), first);
    EXPECT_FALSE(std::filesystem::exists(root_ / "Windows" / "ZorunSetting.qkt.refused-1"));
}

TEST_F(SettingsFileTest, ARefusedFileGivesTheDefaultCatalogueAndIsKeptAtTheNextSave) {
    // Valid up to its last shortcut: a reader that kept what it had read
    // would leave a mixture.
    Bytes cut = HandMade(u"TRUMO ZORUN", 0, {0, 1, 2, 3});
    cut.resize(cut.size() - 1);
    WriteBytes("Windows/ZorunSetting.qkt", cut);
    Touch("Windows/pword.exe");

    Catalogue catalogue(English());
    ASSERT_FALSE(LoadSettings(catalogue));
    EXPECT_EQ(catalogue.GroupCount(), 0);
    BuildDefaultCatalogue(catalogue);
    EXPECT_EQ(catalogue.Contents(), DefaultCatalogueContents(LanguageDefaultCatalogueTexts()));

    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt.refused-1"), cut);
    Catalogue reloaded(English());
    ASSERT_TRUE(LoadSettings(reloaded));
    EXPECT_EQ(reloaded.Contents(), catalogue.Contents());
    // A valid file is simply replaced; a second refused one gets the next number.
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_FALSE(std::filesystem::exists(root_ / "Windows" / "ZorunSetting.qkt.refused-2"));
    WriteBytes("Windows/ZorunSetting.qkt", {1, 2, 3});
    ASSERT_TRUE(SaveSettings(catalogue));
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt.refused-2"), (Bytes{1, 2, 3}));
}

TEST_F(SettingsFileTest, MissingFilesAndFoldersAreNotSettings) {
    Catalogue catalogue(English());
    EXPECT_FALSE(LoadSettings(catalogue));
    std::filesystem::create_directory(root_ / "Windows" / "ZorunSetting.qkt");
    EXPECT_FALSE(LoadSettings(catalogue));
    std::u16string path = u"unchanged";
    EXPECT_FALSE(FindExistingFile(u"\\Windows", u"ZorunSetting.qkt", path));
    EXPECT_EQ(path, u"unchanged");
    Touch("Windows/Player.EXE");
    EXPECT_TRUE(FindExistingFile(u"\\Windows", u"player.exe", path));
    EXPECT_EQ(path, u"\\Windows\\player.exe");
    // A folder in the way is neither loaded nor replaced.
    BuildDefaultCatalogue(catalogue);
    EXPECT_FALSE(SaveSettings(catalogue));
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "Windows" / "ZorunSetting.qkt"));
}

// Saves in a child process, so that limits and lost privileges stay there;
// returns its exit status (0 saved, 1 refused to save).
int SaveInChild(bool unprivileged, rlim_t fileSizeLimit) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        if (fileSizeLimit != RLIM_INFINITY) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        Catalogue catalogue(English());
        std::mt19937 random(5);
        if (!catalogue.Replace(RandomContents(random)))
            _exit(3);
        _exit(SaveSettings(catalogue) ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 4;
}

TEST_F(SettingsFileTest, SavingIntoAReadOnlyFolderOrAFullDiskFailsAndKeepsTheOldFile) {
    SaveDefault();
    const Bytes old = ReadBytes("Windows/ZorunSetting.qkt");

    // A full file system, as a file size limit of 1 KiB makes it.
    EXPECT_EQ(SaveInChild(false, 1024), 1);
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt"), old);

    std::filesystem::permissions(root_ / "Windows",
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(SaveInChild(true, RLIM_INFINITY), 1);
    EXPECT_EQ(ReadBytes("Windows/ZorunSetting.qkt"), old);

    std::size_t entries = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(root_ / "Windows"))
        ++entries;
    EXPECT_EQ(entries, 2u) << "something besides Start Menu and the settings file";
}

} // namespace

TEST(SettingsFormat, ANegativeReservedPairCountMeansNoPairs) {
    // The count is a signed 32-bit number: 0xFFFFFFFF is -1, so no pairs, and
    // the groups that follow are read as usual.
    for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u}) {
        const auto read = ParseSettings(HandMade(u"TRUMO ZORUN", count, {2, 0, 1, 3}));
        ASSERT_TRUE(read) << count;
        EXPECT_TRUE(read->reservedPairs.first.empty());
        EXPECT_EQ(read->groupOrder, (std::vector<std::uint8_t>{2, 0, 1, 3}));
        EXPECT_EQ(read->groupNames[3], u"group D");
    }
}
