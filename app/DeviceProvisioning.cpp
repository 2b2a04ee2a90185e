#include "app/DeviceProvisioning.h"

#include <fstream>
#include <system_error>

#include "app/HelpPage.h"
#include "app/HostProvisioning.h"
#include "platform/base/Text.h"
#include "platform/kernel/DevicePath.h"
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

// The entry of `folder` named `name` ignoring case, as the device names
// files; the name as given when there is none yet.
fs::path Child(const fs::path& folder, std::u16string_view name) {
    return zorun::FindHostEntry(folder, name).value_or(folder / zorun::ToUtf8(name));
}

bool MakeFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

} // namespace

bool ProvisionDeviceRoot(const fs::path& root) {
    if (!MakeFolder(root))
        return false;
    const fs::path windows = Child(root, u"Windows");
    if (!MakeFolder(windows) || !MakeFolder(Child(windows, u"Start Menu")) ||
        !MakeFolder(Child(root, u"My Documents")))
        return false;
    bool ok = true;
    for (const DevicePicture* picture = deviceSkinPictures; picture->fileName; ++picture)
        ok = WriteFileOnce(Child(windows, zorun::FromUtf8(picture->fileName)), picture->data,
                           picture->size) &&
             ok;
    const std::string_view help = LanguageHelpPage();
    ok = WriteFileOnce(Child(windows, u"Zorun.htm"),
                       reinterpret_cast<const unsigned char*>(help.data()), help.size()) &&
         ok;

    // The registry is read under this exact name.
    const fs::path registryPath = root / "registry.reg";
    std::error_code ec;
    if (!fs::exists(registryPath, ec)) {
        zorun::RegistryFile registry;
        registry.SetValue(u"HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell", u"ClearType",
                          zorun::RegistryValue::Dword(1));
        ok = registry.Save(registryPath) && ok;
    }
    return ok;
}

bool ProvisionDevice(const fs::path& root, const DefaultCatalogueTexts& texts) {
    const bool own = ProvisionDeviceRoot(root);
    return SyncHostPrograms(texts) && own;
}
