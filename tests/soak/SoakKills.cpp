#include "tests/soak/SoakKills.h"

#include <fstream>
#include <sstream>

#include "catalogue/SettingsFormat.h"
#include "tests/soak/SoakCheck.h"
#include "tests/soak/SoakDevice.h"
#include "tests/soak/SoakRun.h"

namespace fs = std::filesystem;

SoakKillFigures RunSoakKills(const fs::path& program, const fs::path& folder, int kills,
                             std::mt19937_64& random) {
    SoakKillFigures figures;
    if (kills <= 0)
        return figures;
    fs::remove_all(folder);
    SoakDevice device = MakeSoakDevice(folder, random, false);
    // A large catalogue, so that each save takes a while to write.
    const CatalogueContents big =
        RandomSoakCatalogue(random, 200, 40, {u"\\Windows\\p0.exe", u"\\Windows\\p1.exe"});
    const auto bytes = SerializeSettings(big);
    if (!bytes) {
        figures.failures.push_back("kills: the large catalogue cannot be written");
        return figures;
    }
    std::ofstream(device.settings, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));

    // Each round changes the catalogue (a shortcut dragged onto another tab)
    // and saves it.
    std::ostringstream script;
    for (int round = 0; round < 3000; ++round)
        script << "down 41 152\nmove 60 200\nmove " << (round % 3 == 0 ? 92 : 139) << " 278\nup "
               << (round % 3 == 0 ? 92 : 139) << " 278\ncommand 32786\n";
    const fs::path scriptFile = folder / "saves.txt";
    std::ofstream(scriptFile) << script.str();

    for (int k = 0; k < kills; ++k) {
        const auto at =
            std::chrono::milliseconds(std::uniform_int_distribution<int>(150, 2500)(random));
        const SoakRunResult run = RunSoakProgram(
            program,
            {"--headless", "--device-root", device.root.string(), "--script", scriptFile.string()},
            folder, std::chrono::seconds(60), at);
        ++figures.kills;
        if (!run.started) {
            figures.failures.push_back("kills: the program could not be started");
            break;
        }
        if (!ReadSoakSettings(device.settings)) {
            ++figures.torn;
            figures.failures.push_back("kill " + std::to_string(k) + " after " +
                                       std::to_string(at.count()) +
                                       " ms left a settings file that does not read back");
            break;
        }
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(device.root / "Windows", ec))
        if (entry.path().filename().string().starts_with("ZorunSetting.qkt.tmp-"))
            ++figures.temporaries;
    return figures;
}
