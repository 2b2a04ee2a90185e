#include "platform/kernel/SingleInstance.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
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
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            saved_ = old;
        setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    }
    void TearDown() override {
        if (saved_)
            setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        fs::remove_all(folder_);
    }
    fs::path folder_;
    std::optional<std::string> saved_;
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
