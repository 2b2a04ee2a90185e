// The device file system on a temporary device root: path mapping, folder
// search, attributes, and whole-file reading and writing.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/kernel/DevicePath.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/FindFile.h"

namespace fs = std::filesystem;
using namespace zorun;

namespace {

// Runs `body` in a child process and returns what it returned. With
// `unprivileged`, the child first gives up root, so that permission bits
// bind it as they bind a user.
bool InChild(const std::function<bool()>& body, bool unprivileged = false) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && geteuid() == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
        }
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class FileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-fs-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::permissions(root_, fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
        previousRoot_ = DeviceRoot();
        SetDeviceRoot(root_);
        fs::create_directories(root_ / "Windows" / "Start Menu");
    }
    void TearDown() override {
        SetDeviceRoot(previousRoot_);
        std::error_code ec;
        for (auto& entry : fs::recursive_directory_iterator(root_, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }
    void Write(const fs::path& relative, std::string_view content) {
        std::ofstream(root_ / relative, std::ios::binary) << content;
    }
    std::string Read(const fs::path& relative) {
        std::ifstream in(root_ / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::vector<std::u16string> Names(const char16_t* pattern) {
        std::vector<std::u16string> names;
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW(pattern, &data);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            names.emplace_back(data.cFileName);
        while (FindNextFileW(search, &data));
        EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
        EXPECT_TRUE(FindClose(search));
        return names;
    }

    fs::path root_;
    fs::path previousRoot_;
};

TEST_F(FileSystemTest, PathsMatchEachComponentIgnoringCaseAndStayInsideTheRoot) {
    Write("Windows/Start Menu/Calendar.lnk", "x");
    EXPECT_EQ(HostPath(u"\\windows\\START MENU\\calendar.LNK"),
              root_ / "Windows" / "Start Menu" / "Calendar.lnk");
    EXPECT_EQ(HostPath(u"/WINDOWS/start menu/calendar.lnk"),
              root_ / "Windows" / "Start Menu" / "Calendar.lnk");
    EXPECT_EQ(HostPath(u"windows\\.\\start menu\\\\calendar.lnk"),
              root_ / "Windows" / "Start Menu" / "Calendar.lnk");
    // ".." never climbs above the root.
    EXPECT_EQ(HostPath(u"\\..\\..\\..\\Windows"), root_ / "Windows");
    EXPECT_EQ(HostPath(u"\\Windows\\..\\..\\etc"), root_ / "etc");
    EXPECT_EQ(HostPath(u"\\"), root_);
    // The last component may be new and keeps its case; folders on the way must exist.
    EXPECT_EQ(HostPath(u"\\windows\\New File.txt"), root_ / "Windows" / "New File.txt");
    EXPECT_FALSE(HostPath(u"\\Missing\\file.txt"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    Write("Windows/plain", "x");
    EXPECT_FALSE(HostPath(u"\\Windows\\plain\\below"));
    EXPECT_FALSE(ExistingHostPath(u"\\Windows\\absent.exe"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    // Names the device cannot hold.
    EXPECT_FALSE(HostPath(u""));
    EXPECT_FALSE(HostPath(u"\\Windows\\a*b"));
    EXPECT_FALSE(HostPath(std::u16string(u"\\Windows\\a\0b", 12)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
}

TEST_F(FileSystemTest, AnExactNameWinsOverOthersEqualIgnoringCase) {
    Write("Windows/readme", "lower");
    Write("Windows/README", "upper");
    EXPECT_EQ(HostPath(u"\\Windows\\README"), root_ / "Windows" / "README");
    EXPECT_EQ(HostPath(u"\\Windows\\readme"), root_ / "Windows" / "readme");
    // No exact match: the first in byte order, every time.
    EXPECT_EQ(HostPath(u"\\Windows\\ReadMe"), root_ / "Windows" / "README");
    // Non-ASCII names fold too.
    Write("Windows/Ärger.txt", "x");
    EXPECT_EQ(HostPath(u"\\windows\\äRGER.TXT"), root_ / "Windows" / "Ärger.txt");
}

TEST_F(FileSystemTest, FindListsMatchingEntriesWithTheirDetails) {
    Write("Windows/tmail.exe", "12345");
    Write("Windows/PWord.EXE", "");
    Write("Windows/notes.txt", "");
    fs::create_directory(root_ / "Windows" / "fonts.exe");
    EXPECT_EQ(Names(u"\\Windows\\*.exe"),
              (std::vector<std::u16string>{u"fonts.exe", u"PWord.EXE", u"tmail.exe"}));
    EXPECT_EQ(Names(u"\\windows\\?MAIL.*"), (std::vector<std::u16string>{u"tmail.exe"}));
    EXPECT_EQ(Names(u"\\Windows\\*.*").size(), 5u); // with "Start Menu", never "." or ".."
    EXPECT_EQ(Names(u"\\Windows\\*t*.*x*"),
              (std::vector<std::u16string>{u"fonts.exe", u"notes.txt", u"tmail.exe"}));

    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(u"\\WINDOWS\\TMAIL.EXE", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::u16string(data.cFileName), u"tmail.exe");
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    const std::uint64_t ticks = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                data.ftLastWriteTime.dwLowDateTime;
    const auto written = fs::last_write_time(root_ / "Windows" / "tmail.exe");
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::file_clock::to_sys(written).time_since_epoch())
                             .count();
    EXPECT_EQ(ticks / 10'000'000 - 11644473600u, static_cast<std::uint64_t>(seconds));
    EXPECT_TRUE(FindClose(search));
    // A closed search is simply not found.
    EXPECT_FALSE(FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(FindClose(search));

    ASSERT_NE(FindFirstFileW(u"\\Windows\\fonts.exe", &data), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(FindFirstFileW(u"\\Windows\\*.dll", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(u"\\Nowhere\\*.*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(u"\\Windows\\tmail.exe\\*", &data), INVALID_HANDLE_VALUE);
}

TEST(FileSystemWildcard, MatchesLikeTheDevice) {
    EXPECT_TRUE(MatchesWildcard(u"*.*", u"noextension"));
    EXPECT_TRUE(MatchesWildcard(u"a*b*c", u"aXXbYYc"));
    EXPECT_FALSE(MatchesWildcard(u"a*b*c", u"aXXbYYcd"));
    EXPECT_TRUE(MatchesWildcard(u"*ab", u"aab"));
    EXPECT_FALSE(MatchesWildcard(u"?", u""));
    EXPECT_TRUE(MatchesWildcard(u"É*", u"été"));
    EXPECT_TRUE(MatchesWildcard(u"?.txt", u"\U0001F600.txt")); // one character, two code units
}

TEST_F(FileSystemTest, AttributesComeFromTheHostAndHiddenIsKept) {
    Write("Windows/file.dat", "x");
    EXPECT_EQ(GetFileAttributesW(u"\\windows\\FILE.DAT"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesW(u"\\Windows"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\none"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    ASSERT_TRUE(SetFileAttributesW(u"\\Windows\\file.dat", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\file.dat"), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(SetFileAttributesW(u"\\Windows\\file.dat",
                                   FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\file.dat"),
              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(fs::status(root_ / "Windows/file.dat").permissions() & fs::perms::owner_write,
              fs::perms::none);
    // Clearing both works although the file was read-only.
    ASSERT_TRUE(SetFileAttributesW(u"\\Windows\\file.dat", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\file.dat"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(SetFileAttributesW(u"\\Windows\\none", FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(FileSystemTest, ReadingIsBoundedAndRefusesWhatIsNotAFile) {
    Write("Windows/data.bin", "0123456789");
    auto whole = ReadDeviceFile(u"\\windows\\data.bin", 10);
    ASSERT_TRUE(whole);
    EXPECT_EQ(std::string(whole->begin(), whole->end()), "0123456789");
    EXPECT_FALSE(ReadDeviceFile(u"\\Windows\\data.bin", 9));
    EXPECT_EQ(GetLastError(), ERROR_FILE_TOO_LARGE);
    auto prefix = ReadDeviceFilePrefix(u"\\Windows\\data.bin", 4);
    ASSERT_TRUE(prefix);
    EXPECT_EQ(std::string(prefix->begin(), prefix->end()), "0123");

    EXPECT_FALSE(ReadDeviceFile(u"\\Windows", 100));
    EXPECT_FALSE(ReadDeviceFile(u"\\Windows\\none", 100));
    // A FIFO under the name must not hang the reader.
    ASSERT_EQ(mkfifo((root_ / "Windows" / "pipe").c_str(), 0644), 0);
    EXPECT_FALSE(ReadDeviceFile(u"\\Windows\\pipe", 100));
}

TEST_F(FileSystemTest, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    Write("Windows/Setting.dat", "old");
    const std::vector<std::uint8_t> bytes = {'n', 'e', 'w', '!'};
    ASSERT_TRUE(WriteDeviceFileAtomically(u"\\WINDOWS\\setting.DAT", bytes, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Read("Windows/Setting.dat"), "new!");
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Setting.dat"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(fs::exists(root_ / "Windows" / "setting.DAT")); // the existing name is kept
    ASSERT_TRUE(WriteDeviceFileAtomically(u"\\Windows\\Fresh.dat", bytes));
    EXPECT_EQ(Read("Windows/Fresh.dat"), "new!");
    std::size_t entries = 0;
    for ([[maybe_unused]] auto& entry : fs::directory_iterator(root_ / "Windows"))
        ++entries;
    EXPECT_EQ(entries, 3u); // Start Menu, Setting.dat, Fresh.dat

    EXPECT_FALSE(WriteDeviceFileAtomically(u"\\Missing\\x.dat", bytes));
    EXPECT_FALSE(WriteDeviceFileAtomically(u"\\Windows\\Start Menu", bytes));
    // Like the device, a read-only file is not overwritten.
    ASSERT_TRUE(SetFileAttributesW(u"\\Windows\\Fresh.dat", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteDeviceFileAtomically(u"\\Windows\\Fresh.dat", {}));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Read("Windows/Fresh.dat"), "new!");
}

TEST_F(FileSystemTest, AFailedWriteLeavesTheOldFileIntact) {
    Write("Windows/Setting.dat", "old content");
    const std::vector<std::uint8_t> big(64 * 1024, 'x');
    const auto windows = root_ / "Windows";

    // Full file system: a file size limit makes the write fail part-way.
    EXPECT_TRUE(InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        return !WriteDeviceFileAtomically(u"\\Windows\\Setting.dat", big) &&
               GetLastError() == ERROR_FILE_TOO_LARGE;
    }));
    EXPECT_EQ(Read("Windows/Setting.dat"), "old content");

    // Read-only folder, for a user without the right to write there.
    fs::permissions(windows,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(InChild(
        [&] {
            return ReadDeviceFile(u"\\Windows\\Setting.dat", 100) &&
                   !WriteDeviceFileAtomically(u"\\Windows\\Setting.dat", big) &&
                   GetLastError() == ERROR_ACCESS_DENIED;
        },
        true));
    fs::permissions(windows, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(Read("Windows/Setting.dat"), "old content");

    std::size_t entries = 0;
    for ([[maybe_unused]] auto& entry : fs::directory_iterator(windows))
        ++entries;
    EXPECT_EQ(entries, 2u) << "a temporary file was left behind";
}

TEST_F(FileSystemTest, FoldersAreCreatedMovedAndFilesDeleted) {
    EXPECT_TRUE(CreateDirectoryW(u"\\My Documents"));
    EXPECT_FALSE(CreateDirectoryW(u"\\my documents"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(u"\\No\\Such"));

    Write("My Documents/a.txt", "a");
    Write("My Documents/b.txt", "b");
    EXPECT_FALSE(MoveFileW(u"\\My Documents\\a.txt", u"\\my documents\\B.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(MoveFileW(u"\\My Documents\\a.txt", u"\\My Documents\\A.TXT")); // case only
    EXPECT_TRUE(fs::exists(root_ / "My Documents" / "A.TXT"));
    EXPECT_FALSE(fs::exists(root_ / "My Documents" / "a.txt"));
    EXPECT_TRUE(MoveFileW(u"\\my documents\\a.txt", u"\\Windows\\moved.txt"));
    EXPECT_EQ(Read("Windows/moved.txt"), "a");

    EXPECT_FALSE(DeleteFileW(u"\\My Documents"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(DeleteFileW(u"\\MY DOCUMENTS\\B.txt"));
    EXPECT_FALSE(DeleteFileW(u"\\My Documents\\b.txt"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

} // namespace
