#pragma once
// FIFOs where the program expects files. A reader that opens one the usual
// way waits for a writer forever; these helpers make such a hang a failed
// test instead of a stuck run.

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

// Makes a FIFO at `path` (folders made).
inline void MakeFifo(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

// Runs `read` on another thread and tells whether it returned within a few
// seconds. When it did not, every FIFO under `folder` is opened for writing
// and closed until it returns, which releases a reader blocked on any of
// them, and the answer is false.
inline bool ReturnsDespiteFifos(const std::filesystem::path& folder,
                                const std::function<void()>& read) {
    auto done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return true;
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (!it->is_fifo(ec))
                continue;
            const int fd = ::open(it->path().c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
    }
    return false;
}
