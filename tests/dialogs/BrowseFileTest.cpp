// The program browser, driven as a user drives it: folders chosen in the
// drop-down and left with the up button, a file tapped and confirmed with
// the navigation bar's "ok" or chosen with a double tap.

#include <gtest/gtest.h>

#include <algorithm>

#include <utime.h>

#include "dialogs/CBrowseFileDlg.h"
#include "dialogs/DialogResources.h"
#include "platform/kernel/FileSystemTypes.h"
#include "tests/support/DialogFixture.h"

namespace {

using Names = std::vector<std::u16string>;

class BrowseFile : public DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        for (const char* folder : {"Windows/Start Menu/Programs", "Windows/2004", "Windows/Fonts"})
            std::filesystem::create_directories(DeviceRoot() / folder);
        const auto notes = WriteDeviceFile("Windows/Notes.EXE", std::string(2048, 'n'));
        // 14:05 on 27 January 2005, UTC.
        const utimbuf written{1106834700, 1106834700};
        ASSERT_EQ(utime(notes.c_str(), &written), 0);
        WriteDeviceFile("Windows/setup.exe.bak", "s");
        WriteDeviceFile("Windows/calc.exe", "c");
        WriteDeviceFile("Windows/readme.txt", "r");
        WriteDeviceFile("Windows/Start Menu/Mail.lnk", "22#\\Windows\\tmail.exe");
        WriteDeviceFile("top.exe", "t");
    }

    HWND FolderList() { return GetDlgItem(FrontDialog(), DialogResource::FolderList); }
    HWND FileList() { return GetDlgItem(FrontDialog(), DialogResource::FileList); }

    Names FolderEntries() {
        Names names;
        const auto count = SendMessageW(FolderList(), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char16_t text[MAX_PATH + 3] = {};
            SendMessageW(FolderList(), CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }

    // Row `item` of the file list: name, date, size.
    Names Row(LRESULT item) {
        Names row;
        for (int sub = 0; sub < 3; ++sub) {
            char16_t text[MAX_PATH + 1] = {};
            LVITEMW cell{};
            cell.iSubItem = sub;
            cell.pszText = text;
            cell.cchTextMax = MAX_PATH + 1;
            SendMessageW(FileList(), LVM_GETITEMTEXTW, WPARAM(item),
                         reinterpret_cast<LPARAM>(&cell));
            row.push_back(text);
        }
        return row;
    }

    Names FileNames() {
        Names names;
        for (LRESULT i = 0; i < SendMessageW(FileList(), LVM_GETITEMCOUNT, 0, 0); ++i)
            names.push_back(Row(i)[0]);
        return names;
    }

    // A point of row `row` in the file list, found as the list answers a hit
    // test (screen coordinates).
    POINT RowPoint(int row) {
        HWND list = FileList();
        RECT client{};
        GetClientRect(list, &client);
        for (int y = 0; y < client.bottom; ++y) {
            LVHITTESTINFO hit{};
            hit.pt = {20, y};
            if (SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == row &&
                hit.iItem == row) {
                POINT p{20, y + 2};
                ClientToScreen(list, &p);
                return p;
            }
        }
        ADD_FAILURE() << "row " << row << " is not shown";
        return {};
    }
    // A point of the file list below its last row (screen coordinates).
    POINT BelowRowsPoint() {
        HWND list = FileList();
        RECT client{};
        GetClientRect(list, &client);
        for (int y = client.bottom - 1; y >= 0; --y) {
            LVHITTESTINFO hit{};
            hit.pt = {20, y};
            SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.flags == LVHT_NOWHERE) {
                POINT p{20, y};
                ClientToScreen(list, &p);
                return p;
            }
        }
        ADD_FAILURE() << "no room below the rows";
        return {};
    }
    void QueueFileRowTap(int row) {
        const POINT p = RowPoint(row);
        QueueDialogTap(p.x, p.y - kDialogTop);
    }
    // Opens the drop-down; the next step chooses in it.
    void QueueOpenFolders() { QueueControlTap(DialogResource::FolderList); }
    // In the dropped list under the box, scrolled to show it as a user
    // would: a tap on entry `entry`.
    void QueueFolderChoice(int entry) {
        RECT box{};
        GetWindowRect(FolderList(), &box);
        HWND dropped = WindowFromPoint({box.left + 10, box.bottom + 2});
        ASSERT_NE(dropped, nullptr);
        ASSERT_NE(dropped, FrontDialog()) << "the folder list is not dropped";
        RECT r{}, client{};
        GetWindowRect(dropped, &r);
        GetClientRect(dropped, &client);
        const int height = int(SendMessageW(dropped, LB_GETITEMHEIGHT, 0, 0));
        ASSERT_GT(height, 0);
        int top = int(SendMessageW(dropped, LB_GETTOPINDEX, 0, 0));
        if (entry < top || (entry - top + 1) * height > client.bottom - 1) {
            SendMessageW(dropped, LB_SETTOPINDEX, WPARAM(entry), 0);
            top = int(SendMessageW(dropped, LB_GETTOPINDEX, 0, 0));
        }
        QueueDialogTap(r.left + 10, r.top + 1 + (entry - top) * height + height / 2 - kDialogTop);
    }

    const Names programs{u".exe", u".lnk"};
};

TEST_F(BrowseFile, OpensOnTheWindowsFolderSortedWithItsColumns) {
    CBrowseFileDlg browser(programs, &Frame());
    const INT_PTR result = RunModal(
        browser, {[&] {
            EXPECT_EQ(FolderEntries(), (Names{u"<\\windows>", u"2004", u"Fonts", u"Start Menu"}));
            EXPECT_EQ(SendMessageW(FolderList(), CB_GETCURSEL, 0, 0), 0);
            EXPECT_EQ(FileNames(), (Names{u"calc.exe", u"Notes.EXE", u"setup.exe.bak"}));
            EXPECT_EQ(Row(1), (Names{u"Notes.EXE", u"2005/1/27,14:5", u"2048"}));
            RECT r{};
            GetWindowRect(FileList(), &r);
            EXPECT_EQ(r, (RECT{10, 60 + kDialogTop, 230, 258 + kDialogTop}));
            // The date and the size whole, the name the rest of the list.
            auto width = [&](int column) {
                return int(SendMessageW(FileList(), LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
            };
            auto textWidth = [&](const char16_t* text) {
                return int(SendMessageW(FileList(), LVM_GETSTRINGWIDTH, 0, LPARAM(text)));
            };
            int name = textWidth(u"Name"), date = textWidth(u"Date"), size = textWidth(u"Size");
            for (int i = 0; i < 3; ++i) {
                name = std::max(name, textWidth(Row(i)[0].c_str()));
                date = std::max(date, textWidth(Row(i)[1].c_str()));
                size = std::max(size, textWidth(Row(i)[2].c_str()));
            }
            EXPECT_EQ(width(1), date + 12);
            EXPECT_EQ(width(2), size + 12);
            RECT client{};
            GetClientRect(FileList(), &client);
            EXPECT_EQ(width(0),
                      std::max(std::min(name + 12, 100), int(client.right) - width(1) - width(2)));
            EXPECT_TRUE(browser.selectedPath.empty());
            QueueOk();
        }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(browser.selectedPath, u"");
    EXPECT_EQ(browser.selectedName, u"");
}

TEST_F(BrowseFile, FoldersFromTheDropDownAndUpToTheRootWhichStays) {
    CBrowseFileDlg browser(programs, &Frame());
    RunModal(browser,
             {
                 [&] { QueueOpenFolders(); },
                 [&] { QueueFolderChoice(3); }, // Start Menu
                 [&] {
                     EXPECT_EQ(browser.CurrentFolder(), u"\\windows\\Start Menu");
                     EXPECT_EQ(FolderEntries(), (Names{u"<\\windows\\Start Menu>", u"Programs"}));
                     EXPECT_EQ(FileNames(), (Names{u"Mail.lnk"}));
                     QueueControlTap(DialogResource::UpButton);
                 },
                 [&] {
                     EXPECT_EQ(browser.CurrentFolder(), u"\\windows");
                     QueueControlTap(DialogResource::UpButton);
                 },
                 [&] {
                     EXPECT_EQ(browser.CurrentFolder(), u"");
                     EXPECT_EQ(FolderEntries(), (Names{u"<>", u"Windows"}));
                     EXPECT_EQ(FileNames(), (Names{u"top.exe"}));
                     QueueControlTap(DialogResource::UpButton);
                 },
                 [&] {
                     EXPECT_EQ(FolderEntries(), (Names{u"<>", u"Windows"}));
                     QueueOpenFolders();
                 },
                 [&] { QueueFolderChoice(0); }, // the folder itself: a refresh
                 [&] {
                     EXPECT_EQ(browser.CurrentFolder(), u"");
                     QueueFileRowTap(0);
                     QueueOk();
                 },
             });
    EXPECT_EQ(browser.selectedPath, u"\\top.exe");
    EXPECT_EQ(browser.selectedName, u"top.exe");
}

TEST_F(BrowseFile, ATapChoosesAndOkConfirmsADoubleTapDoesBoth) {
    CBrowseFileDlg tapped(programs, &Frame());
    EXPECT_EQ(RunModal(tapped, {[&] {
                                    QueueFileRowTap(2);
                                    QueueFileRowTap(1); // the last tap counts
                                },
                                [&] {
                                    EXPECT_EQ(tapped.selectedName, u"Notes.EXE");
                                    QueueOk();
                                }}),
              IDOK);
    EXPECT_EQ(tapped.selectedPath, u"\\windows\\Notes.EXE");

    CBrowseFileDlg doubled(programs, &Frame());
    EXPECT_EQ(RunModal(doubled, {[&] {
                           QueueFileRowTap(2);
                           QueueFileRowTap(2);
                       }}),
              IDOK);
    EXPECT_EQ(doubled.selectedPath, u"\\windows\\setup.exe.bak");
    EXPECT_EQ(doubled.selectedName, u"setup.exe.bak");

    // Below the rows: nothing chosen, the folder with an empty name.
    CBrowseFileDlg empty(programs, &Frame());
    RunModal(empty, {[&] {
                 const POINT p = BelowRowsPoint();
                 QueueDialogTap(p.x, p.y - kDialogTop);
                 QueueOk();
             }});
    EXPECT_EQ(empty.selectedName, u"");
    EXPECT_EQ(empty.selectedPath, u"\\windows\\");
}

TEST_F(BrowseFile, PicturesOnlyForTheGroupDialog) {
    WriteDeviceFile("Windows/skin 1.bmp", "b");
    CBrowseFileDlg browser({u".bmp"}, &Frame());
    RunModal(browser, {[&] {
                 EXPECT_EQ(FileNames(), (Names{u"skin 1.bmp"}));
                 QueueKey(VK_ESCAPE);
             }});
}

} // namespace
