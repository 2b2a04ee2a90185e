#pragma once
// Provisioning at every start: whatever of the device is missing is made,
// and nothing that exists is ever overwritten, so a device root the user
// began themselves (with only a registry.reg, say) becomes whole and keeps
// what it had. The device's folders ("Windows", "Windows\Start Menu", "My
// Documents"), the four background pictures of the default groups
// ("\Windows\skin 1.bmp", 2, 4 and 5, carried in the program), the help page
// ("\Windows\Zorun.htm") and a registry file with ClearType on; then the
// system programs and the Start menu that the host's applications give
// (HostProvisioning.h).

#include <cstddef>
#include <filesystem>

#include "catalogue/DefaultCatalogueTexts.h"

// Creates what is missing of the device's own content under `root` (made
// when missing). False when a folder or file cannot be written; what was
// written stays.
[[nodiscard]] bool ProvisionDeviceRoot(const std::filesystem::path& root);

// The device's content, then the host's programs; `root` must be the
// platform's device root. True when everything needed was there or made.
[[nodiscard]] bool ProvisionDevice(const std::filesystem::path& root,
                                   const DefaultCatalogueTexts& texts);

// The pictures carried in the program (generated from res/device at build time).
struct DevicePicture {
    const char* fileName; // in the device's "Windows" folder
    const unsigned char* data;
    std::size_t size;
};
extern const DevicePicture deviceSkinPictures[]; // ended by a null fileName
