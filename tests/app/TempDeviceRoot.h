#pragma once
// A temporary device root for one test, removed afterwards; the platform's
// device root points at it while the object lives.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/kernel/DeviceRoot.h"

class TempDeviceRoot {
  public:
    TempDeviceRoot() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zorun-app-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            folder_ = pattern;
        root_ = folder_ / "device";
        zorun::SetDeviceRoot(root_);
    }
    ~TempDeviceRoot() {
        std::error_code ec;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(folder_, ec);
    }
    TempDeviceRoot(const TempDeviceRoot&) = delete;
    TempDeviceRoot& operator=(const TempDeviceRoot&) = delete;

    // The device root inside the temporary folder (not created yet).
    [[nodiscard]] const std::filesystem::path& Root() const { return root_; }
    [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path root_;
};
