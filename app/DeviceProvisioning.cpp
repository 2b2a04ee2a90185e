#include "app/DeviceProvisioning.h"

#include <fstream>
#include <system_error>

#include "platform/kernel/RegistryFile.h"

namespace fs = std::filesystem;

namespace {

// Writes beside the target and renames it over, so an interrupted first run
// never leaves a cut picture that later looks complete.
bool WriteFileOnce(const fs::path& path, const unsigned char* data, std::size_t size) {
    std::error_code ec;
    if (fs::exists(path, ec))
        return true;
    fs::path temporary = path;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.flush();
        if (!out) {
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, path, ec);
    return !ec;
}

} // namespace

bool IsNewDeviceRoot(const fs::path& root) {
    std::error_code ec;
    if (!fs::exists(root, ec))
        return !ec;
    return fs::is_directory(root, ec) && fs::is_empty(root, ec) && !ec;
}

bool ProvisionDeviceRoot(const fs::path& root) {
    std::error_code ec;
    const fs::path windows = root / "Windows";
    for (const fs::path& folder : {windows / "Start Menu", root / "My Documents"}) {
        fs::create_directories(folder, ec);
        if (ec)
            return false;
    }
    bool ok = true;
    for (const DevicePicture* picture = deviceSkinPictures; picture->fileName; ++picture)
        ok = WriteFileOnce(windows / picture->fileName, picture->data, picture->size) && ok;

    const fs::path registryPath = root / "registry.reg";
    if (!fs::exists(registryPath, ec)) {
        zorun::RegistryFile registry;
        registry.SetValue(u"HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell", u"ClearType",
                          zorun::RegistryValue::Dword(1));
        ok = registry.Save(registryPath) && ok;
    }
    return ok;
}

bool ProvisionDeviceRootIfNew(const fs::path& root) {
    return !IsNewDeviceRoot(root) || ProvisionDeviceRoot(root);
}
