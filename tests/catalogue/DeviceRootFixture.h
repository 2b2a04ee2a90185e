#pragma once
// A temporary device root for the catalogue's tests, removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/kernel/DeviceRoot.h"

class DeviceRootFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zorun-catalogue-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        std::filesystem::permissions(
            root_,
            std::filesystem::perms::group_exec | std::filesystem::perms::others_exec |
                std::filesystem::perms::group_read | std::filesystem::perms::others_read,
            std::filesystem::perm_options::add);
        previousRoot_ = zorun::DeviceRoot();
        zorun::SetDeviceRoot(root_);
        std::filesystem::create_directories(root_ / "Windows" / "Start Menu");
    }
    void TearDown() override {
        zorun::SetDeviceRoot(previousRoot_);
        std::error_code ec;
        for (auto& entry : std::filesystem::recursive_directory_iterator(root_, ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }
    void WriteBytes(const std::filesystem::path& relative, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(root_ / relative, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    void Touch(const std::filesystem::path& relative) { std::ofstream(root_ / relative) << "x"; }
    std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& relative) {
        std::ifstream in(root_ / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path root_;
    std::filesystem::path previousRoot_;
};
