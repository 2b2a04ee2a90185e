#pragma once
// First run: a new device root gets the device's folders ("Windows",
// "Windows\Start Menu", "My Documents"), the four background pictures of the
// default groups ("\Windows\skin 1.bmp", 2, 4 and 5, carried in the program)
// and a registry file with ClearType on. Host programs are not linked in.

#include <cstddef>
#include <filesystem>

// True when `root` does not exist or is an empty folder: nothing of a
// device is there yet, so provisioning cannot overwrite anything.
[[nodiscard]] bool IsNewDeviceRoot(const std::filesystem::path& root);

// Creates the device's content under `root` (made when missing). Existing
// files are kept. False when a folder or file cannot be written; what was
// written stays.
[[nodiscard]] bool ProvisionDeviceRoot(const std::filesystem::path& root);

// Provisions `root` when it is new; true when nothing needed doing or
// provisioning succeeded.
[[nodiscard]] bool ProvisionDeviceRootIfNew(const std::filesystem::path& root);

// The pictures carried in the program (generated from res/device at build time).
struct DevicePicture {
    const char* fileName; // in the device's "Windows" folder
    const unsigned char* data;
    std::size_t size;
};
extern const DevicePicture deviceSkinPictures[]; // ended by a null fileName
