// The catalogue's changes keep its two index spaces consistent.

#include <gtest/gtest.h>

#include "catalogue/Catalogue.h"

namespace {

// Groups "G0".."Gn-1" at storage index i, background "bg<i>" and one
// shortcut "s<i>"; shown in `order`.
CatalogueContents Numbered(const std::vector<std::uint8_t>& order) {
    CatalogueContents contents;
    const std::size_t n = order.size();
    for (std::size_t s = 0; s < n; ++s) {
        contents.backgroundPaths.push_back(u"bg" + std::u16string(1, u'0' + s));
        GroupRecord group;
        group.Append({u"\\Windows\\p" + std::u16string(1, u'0' + s) + u".exe",
                      u"s" + std::u16string(1, u'0' + s), u"0"});
        contents.groupList.push_back(group);
    }
    contents.groupOrder = order;
    for (std::uint8_t s : order)
        contents.groupNames.push_back(u"G" + std::u16string(1, u'0' + s));
    return contents;
}

// Every group shown still carries its own name's background and shortcut.
void ExpectGroupsIntact(const Catalogue& catalogue) {
    std::vector<bool> seen(catalogue.GroupCount(), false);
    for (int p = 0; p < catalogue.GroupCount(); ++p) {
        const int s = catalogue.StorageIndex(p);
        ASSERT_LT(s, catalogue.GroupCount());
        EXPECT_FALSE(seen[s]) << "storage index " << s << " shown twice";
        seen[s] = true;
        const char16_t digit = catalogue.GroupName(p)[1];
        EXPECT_EQ(catalogue.Background(p), u"bg" + std::u16string(1, digit));
        ASSERT_EQ(catalogue.Group(p).Count(), 1u);
        EXPECT_EQ(catalogue.Group(p).names[0], u"s" + std::u16string(1, digit));
    }
}

Catalogue::DefaultNames English() {
    return {u"Programs", u"Multimedia", u"Game", u"Favorite"};
}

TEST(Catalogue, RemovingAGroupRenumbersTheOrderDenselyAndANewGroupTakesIndexN) {
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(Numbered({3, 0, 5, 1, 4, 2})));
    const GroupRecord* kept = &catalogue.Group(0); // G3
    ASSERT_TRUE(catalogue.RemoveGroup(3));         // G1: storage 1, not the last
    EXPECT_EQ(catalogue.GroupOrder(), (std::vector<std::uint8_t>{2, 0, 4, 3, 1}));
    EXPECT_EQ(catalogue.GroupNames(),
              (std::vector<std::u16string>{u"G3", u"G0", u"G5", u"G4", u"G2"}));
    ExpectGroupsIntact(catalogue);
    EXPECT_EQ(&catalogue.Group(0), kept) << "a record moved in memory";

    ASSERT_TRUE(catalogue.AppendGroup(u"G6", u"bg6"));
    EXPECT_EQ(catalogue.StorageIndex(5), 5);
    EXPECT_EQ(catalogue.Group(5).Count(), 0u);
    EXPECT_EQ(catalogue.Background(5), u"bg6");
    EXPECT_EQ(catalogue.DisplayPosition(5), 5);
}

TEST(Catalogue, ReorderingMovesNamesAndOrderTogether) {
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(Numbered({0, 1, 2, 3, 4})));
    const CatalogueContents before = catalogue.Contents();
    ASSERT_TRUE(catalogue.SetOrder({4, 2, 0, 1, 3}, {u"G4", u"G2", u"G0", u"G1", u"G3"}));
    ExpectGroupsIntact(catalogue);
    EXPECT_EQ(catalogue.BackgroundPaths(), before.backgroundPaths);
    EXPECT_EQ(catalogue.GroupAtStorage(0), before.groupList[0]);

    // A name that does not travel with its storage index, a repeated or
    // missing index, or a wrong length is refused and changes nothing.
    const CatalogueContents reordered = catalogue.Contents();
    EXPECT_FALSE(catalogue.SetOrder({4, 2, 0, 1, 3}, {u"G2", u"G4", u"G0", u"G1", u"G3"}));
    EXPECT_FALSE(catalogue.SetOrder({4, 4, 0, 1, 3}, {u"G4", u"G4", u"G0", u"G1", u"G3"}));
    EXPECT_FALSE(catalogue.SetOrder({4, 2, 0, 1}, {u"G4", u"G2", u"G0", u"G1"}));
    EXPECT_FALSE(catalogue.SetOrder({4, 2, 0, 1, 5}, {u"G4", u"G2", u"G0", u"G1", u"G3"}));
    EXPECT_EQ(catalogue.Contents(), reordered);
}

TEST(Catalogue, DefaultGroupsAndTheMinimumOfFourGroupsAreProtected) {
    Catalogue catalogue(English());
    CatalogueContents contents = Numbered({0, 1, 2, 3, 4});
    contents.groupNames[0] = u"Programs";
    contents.groupNames[1] = u"programs"; // not a default group: case matters
    ASSERT_TRUE(catalogue.Replace(contents));
    EXPECT_TRUE(catalogue.IsDefaultGroup(0));
    EXPECT_FALSE(catalogue.IsDefaultGroup(1));
    EXPECT_FALSE(catalogue.RemoveGroup(0));
    EXPECT_FALSE(catalogue.RenameGroup(0, u"Mine"));
    EXPECT_TRUE(catalogue.RenameGroup(1, u"programs")); // its own name again
    EXPECT_FALSE(catalogue.RenameGroup(1, u"G2"));      // another group's name
    EXPECT_FALSE(catalogue.AppendGroup(u"G3", u""));
    EXPECT_TRUE(catalogue.RemoveGroup(1));
    // Four groups left, none of them default: still none can go.
    EXPECT_EQ(catalogue.GroupCount(), 4);
    EXPECT_FALSE(catalogue.CanRemoveGroup(3));
    EXPECT_FALSE(catalogue.RemoveGroup(3));
    EXPECT_FALSE(catalogue.RemoveGroup(7));
    EXPECT_EQ(catalogue.GroupCount(), 4);
}

TEST(Catalogue, GroupCountStopsAt256AndAnEmptyCatalogueTakesNoGroups) {
    Catalogue catalogue(English());
    EXPECT_FALSE(catalogue.AppendGroup(u"first", u""));
    ASSERT_TRUE(catalogue.Replace(Numbered({0, 1, 2, 3})));
    for (int i = 4; i < 256; ++i)
        ASSERT_TRUE(catalogue.AppendGroup(u"more" + std::u16string(1, char16_t(0x100 + i)), u""));
    EXPECT_EQ(catalogue.GroupCount(), 256);
    EXPECT_EQ(catalogue.StorageIndex(255), 255);
    EXPECT_FALSE(catalogue.AppendGroup(u"one too many", u""));
    EXPECT_EQ(catalogue.GroupCount(), 256);
}

TEST(Catalogue, ReplaceRefusesContentsThatBreakAnInvariant) {
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(Numbered({1, 0, 2, 3})));
    const CatalogueContents good = catalogue.Contents();

    CatalogueContents bad = good;
    bad.groupOrder = {1, 1, 2, 3};
    EXPECT_FALSE(catalogue.Replace(bad));
    bad = Numbered({0, 1, 2});
    EXPECT_FALSE(catalogue.Replace(bad));
    bad = good;
    bad.groupList[2].names.pop_back();
    EXPECT_FALSE(catalogue.Replace(bad));
    bad = good;
    bad.backgroundPaths.pop_back();
    EXPECT_FALSE(catalogue.Replace(bad));
    EXPECT_EQ(catalogue.Contents(), good);
}

TEST(Catalogue, ShortcutChangesWorkOnTheGroupShownAtThePosition) {
    Catalogue catalogue(English());
    ASSERT_TRUE(catalogue.Replace(Numbered({2, 0, 1, 3})));
    ASSERT_TRUE(catalogue.AppendShortcut(0, {u"\\Windows\\x.exe", u"x", u"145"}));
    EXPECT_EQ(catalogue.GroupAtStorage(2).Count(), 2u);
    EXPECT_TRUE(catalogue.RemoveShortcut(0, 0));
    EXPECT_EQ(catalogue.Group(0).Shortcut(0), (ShortcutRecord{u"\\Windows\\x.exe", u"x", u"145"}));
    EXPECT_FALSE(catalogue.RemoveShortcut(0, 1));
    EXPECT_FALSE(catalogue.AppendShortcut(4, {}));
    EXPECT_TRUE(catalogue.SetBackground(0, u""));
    EXPECT_EQ(catalogue.BackgroundPaths()[2], u"");
}

} // namespace
