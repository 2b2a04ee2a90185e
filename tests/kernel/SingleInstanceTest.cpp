#include "platform/kernel/SingleInstance.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/kernel/NamedMutex.h"

namespace fs = std::filesystem;
using zorun::SingleInstance;

namespace {

constexpr const char16_t* kName = u"1a85e7c2-6b1d-43ea-bc83-866fc8a9550e";

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-runtime-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"})
            if (const char* old = std::getenv(name))
                saved_[name] = old;
        setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
        // The private fallback is made here, not in the machine's /tmp.
        fs::create_directories(folder_ / "tmp");
        setenv("TMPDIR", (folder_ / "tmp").c_str(), 1);
    }
    void TearDown() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
            if (saved_.count(name))
                setenv(name, saved_[name].c_str(), 1);
            else
                unsetenv(name);
        }
        fs::remove_all(folder_);
    }
    // A runtime folder as another user or the system may have left it.
    fs::path Folder(const char* name, mode_t mode) {
        const fs::path path = folder_ / name;
        fs::create_directories(path);
        chmod(path.c_str(), mode);
        return path;
    }
    [[nodiscard]] fs::path Fallback() const {
        return folder_ / "tmp" / ("zorun-" + std::to_string(getuid()));
    }
    fs::path folder_;
    std::map<std::string, std::string> saved_;
};

} // namespace

TEST_F(SingleInstanceTest, SecondStartAsksTheOwnerToActivateAndOwnershipPassesOn) {
    auto first = std::make_unique<SingleInstance>();
    ASSERT_EQ(first->TryAcquire(kName), SingleInstance::Role::Owner);
    ASSERT_GE(first->ListenFd(), 0);
    EXPECT_EQ(first->TakeActivateRequests(), 0);

    // Another process sees the lock taken and reaches the owner's socket.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance second;
        const bool ok = second.TryAcquire(kName) == SingleInstance::Role::Second &&
                        second.ListenFd() < 0 && second.SendActivate();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(first->TakeActivateRequests(), 1);
    EXPECT_EQ(first->TakeActivateRequests(), 0);

    // A second holder in this process is refused too (the lock is per open file).
    SingleInstance again;
    EXPECT_EQ(again.TryAcquire(kName), SingleInstance::Role::Second);

    // When the owner ends, the next start owns it, despite the old socket file.
    first.reset();
    SingleInstance next;
    EXPECT_EQ(next.TryAcquire(kName), SingleInstance::Role::Owner);
    SingleInstance late;
    ASSERT_EQ(late.TryAcquire(kName), SingleInstance::Role::Second);
    EXPECT_TRUE(late.SendActivate());
    EXPECT_EQ(next.TakeActivateRequests(), 1);
}

TEST_F(SingleInstanceTest, NamedMutexReportsAnExistingHolder) {
    HANDLE first = CreateMutexW(nullptr, FALSE, kName);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateMutexW(nullptr, FALSE, kName);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_TRUE(CloseHandle(first));
    HANDLE third = CreateMutexW(nullptr, FALSE, kName);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(third);
    // Names cannot reach outside the runtime folder.
    EXPECT_EQ(zorun::RuntimeFileName(u"../../etc/x", ".lock"), "zorun-.._.._etc_x.lock");
}

TEST_F(SingleInstanceTest, OnlyAPrivateRuntimeFolderIsTrusted) {
    // Shared with others, open to the group, or not writable: the checked
    // fallback is used instead, and nothing is made in the refused folder.
    for (const auto& [name, mode] : {std::pair{"shared", mode_t{01777}},
                                     {"group", mode_t{0770}},
                                     {"readonly", mode_t{0500}}}) {
        const fs::path refused = Folder(name, mode);
        setenv("XDG_RUNTIME_DIR", refused.c_str(), 1);
        EXPECT_EQ(zorun::RuntimeFolder(), Fallback()) << name;
        SingleInstance instance;
        EXPECT_EQ(instance.TryAcquire(kName), SingleInstance::Role::Owner) << name;
        chmod(refused.c_str(), 0700);
        EXPECT_TRUE(fs::is_empty(refused)) << name;
        struct stat st {};
        ASSERT_EQ(lstat(Fallback().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0700u);
    }
    // Another user's folder, even with mode 0700 (only root can make one here).
    if (getuid() == 0) {
        const fs::path theirs = Folder("theirs", 0700);
        ASSERT_EQ(chown(theirs.c_str(), 65534, 65534), 0);
        setenv("XDG_RUNTIME_DIR", theirs.c_str(), 1);
        EXPECT_EQ(zorun::RuntimeFolder(), Fallback());
    }
    // The user's own 0700 folder is used as it is.
    const fs::path own = Folder("own", 0700);
    setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
    EXPECT_EQ(zorun::RuntimeFolder(), own);
}

TEST_F(SingleInstanceTest, LockAndSocketAreTheUsersAloneWhateverTheUmask) {
    const mode_t saved = umask(0);
    {
        SingleInstance instance;
        ASSERT_EQ(instance.TryAcquire(kName), SingleInstance::Role::Owner);
        for (const char* suffix : {".lock", ".sock"}) {
            struct stat st {};
            ASSERT_EQ(lstat((folder_ / zorun::RuntimeFileName(kName, suffix)).c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0077, 0u) << suffix;
        }
    }
    EXPECT_EQ(umask(saved), 0u) << "the user's umask is given back";
}

TEST_F(SingleInstanceTest, WithoutAnyPrivateFolderTheProgramRunsAloneAndSaysSo) {
    setenv("XDG_RUNTIME_DIR", Folder("shared", 01777).c_str(), 1);
    // The fallback's name taken by a folder open to everyone.
    fs::create_directories(Fallback());
    chmod(Fallback().c_str(), 0777);
    testing::internal::CaptureStderr();
    SingleInstance instance;
    const auto role = instance.TryAcquire(kName);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(role, SingleInstance::Role::Unknown);
    EXPECT_EQ(instance.ListenFd(), -1);
    EXPECT_NE(said.find("without the single-instance rule"), std::string::npos) << said;
    EXPECT_TRUE(fs::is_empty(Fallback()));
}
