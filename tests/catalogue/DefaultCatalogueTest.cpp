// The default catalogue takes exactly the standard programs present.

#include <gtest/gtest.h>

#include "catalogue/DefaultCatalogue.h"
#include "tests/catalogue/DeviceRootFixture.h"

namespace {

class DefaultCatalogueTest : public DeviceRootFixture {
  protected:
    void AddEveryCandidate() {
        for (const char* link : {"calendar.lnk", "contacts.lnk", "tasks.lnk"})
            Touch(std::filesystem::path("Windows/Start Menu") / link);
        for (const char* program :
             {"iexplore.exe", "fexplore.exe", "tmail.exe", "pxl.exe", "pword.exe", "shell32.exe",
              "player.exe", "solitare.exe", "jawbreaker.exe"})
            Touch(std::filesystem::path("Windows") / program);
    }
};

TEST_F(DefaultCatalogueTest, EveryCandidatePresentGivesFourGroupsInTableOrder) {
    AddEveryCandidate();
    Catalogue catalogue;
    BuildDefaultCatalogue(catalogue);

    ASSERT_EQ(catalogue.GroupCount(), 4);
    EXPECT_EQ(catalogue.GroupNames(),
              (std::vector<std::u16string>{u"Programs", u"Multimedia", u"Game", u"Favorite"}));
    EXPECT_EQ(catalogue.GroupOrder(), (std::vector<std::uint8_t>{0, 1, 2, 3}));
    EXPECT_EQ(catalogue.BackgroundPaths(),
              (std::vector<std::u16string>{u"\\windows\\skin 1.bmp", u"\\windows\\skin 5.bmp",
                                           u"\\windows\\skin 2.bmp", u"\\windows\\skin 2.bmp"}));
    EXPECT_EQ(catalogue.Group(0).names,
              (std::vector<std::u16string>{u"Calendar", u"Contacts", u"IExplorer", u"FExplorer",
                                           u"Inbox", u"Excel", u"Word", u"Tasks", u"Today"}));
    EXPECT_EQ(catalogue.Group(0).targets[0], u"\\Windows\\Start Menu\\calendar.lnk");
    EXPECT_EQ(catalogue.Group(0).targets[8], u"\\Windows\\shell32.exe");
    EXPECT_EQ(catalogue.Group(0).iconRefs, std::vector<std::u16string>(9, u"0"));
    EXPECT_EQ(catalogue.Group(1).Shortcut(0),
              (ShortcutRecord{u"\\Windows\\player.exe", u"Media Player", u"0"}));
    EXPECT_EQ(catalogue.Group(2).names, (std::vector<std::u16string>{u"Solitare", u"Jawbreaker"}));
    EXPECT_EQ(catalogue.Group(3).Count(), 0u);
    // The four names are also what protects the groups.
    for (int p = 0; p < 4; ++p)
        EXPECT_TRUE(catalogue.IsDefaultGroup(p));
}

TEST_F(DefaultCatalogueTest, OnlyFilesThatExistBecomeShortcuts) {
    AddEveryCandidate();
    std::filesystem::remove(root_ / "Windows" / "pxl.exe");
    std::filesystem::remove(root_ / "Windows" / "jawbreaker.exe");
    std::filesystem::create_directory(root_ / "Windows" / "jawbreaker.exe");
    std::filesystem::rename(root_ / "Windows" / "tmail.exe", root_ / "Windows" / "TMail.EXE");

    Catalogue catalogue;
    BuildDefaultCatalogue(catalogue);
    EXPECT_EQ(catalogue.Group(0).names,
              (std::vector<std::u16string>{u"Calendar", u"Contacts", u"IExplorer", u"FExplorer",
                                           u"Inbox", u"Word", u"Tasks", u"Today"}));
    // Found ignoring case, named as the table writes it.
    EXPECT_EQ(catalogue.Group(0).targets[4], u"\\Windows\\tmail.exe");
    EXPECT_EQ(catalogue.Group(2).names, (std::vector<std::u16string>{u"Solitare"}));
}

TEST_F(DefaultCatalogueTest, ReplacesWhateverTheCatalogueHeld) {
    Catalogue catalogue;
    CatalogueContents other = DefaultCatalogueContents(LanguageDefaultCatalogueTexts());
    other.sysInfoMode = 3;
    other.reservedPairs = {{u"a"}, {u"b"}};
    other.groupNames[3] = u"Mine";
    other.groupList[3].Append({u"t", u"n", u"0"});
    other.groupNames.push_back(u"Extra");
    other.groupOrder.push_back(4);
    other.backgroundPaths.emplace_back();
    other.groupList.emplace_back();
    ASSERT_TRUE(catalogue.Replace(other));

    BuildDefaultCatalogue(catalogue); // an empty device: four empty groups
    EXPECT_EQ(catalogue.Contents(), DefaultCatalogueContents(LanguageDefaultCatalogueTexts()));
    EXPECT_EQ(catalogue.SysInfoMode(), 0);
    EXPECT_EQ(catalogue.ReservedPairCount(), 0);
    EXPECT_EQ(catalogue.GroupCount(), 4);
    EXPECT_EQ(catalogue.Group(0).Count(), 0u);
}

} // namespace
