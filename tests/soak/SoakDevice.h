#pragma once
// Device roots for the soak, random or hostile, with the host folders the
// information panel reads. Everything lives under one folder per run.
//
// Hostile roots hold what a user, a damaged card or another program may
// leave: FIFOs, folders and links where files belong, huge and cut-short
// files, garbage settings and registry files, loops of links, odd names.
// Each kind is a line of the table in SoakDevice.cpp; a kind that hangs or
// breaks a part of the program still being mended is listed there switched
// off, to be switched on once it is mended.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

struct SoakDevice {
    std::filesystem::path folder; // the run's folder: device/, host/, state/, home/
    std::filesystem::path root;   // the device root
    std::filesystem::path settings;
    // The settings file as written before the run: the catalogue it holds
    // when valid, its bytes when it is not (a refused file must be kept).
    std::optional<CatalogueContents> initial;
    std::optional<std::vector<std::uint8_t>> refusedBytes;
    std::vector<std::string> hostile; // the hostile kinds this root holds
};

// Names of the hostile kinds, and which are on.
struct SoakHostileKind {
    const char* name;
    bool on;
};
[[nodiscard]] const std::vector<SoakHostileKind>& SoakHostileKinds();
// Switches a kind on or off by name; false for an unknown name.
bool SetSoakHostileKind(const std::string& name, bool on);

[[nodiscard]] SoakDevice MakeSoakDevice(const std::filesystem::path& folder,
                                        std::mt19937_64& random, bool hostile);

// A valid settings file's contents with `groups` groups of up to `perGroup`
// shortcuts whose targets are among `targets`.
[[nodiscard]] CatalogueContents RandomSoakCatalogue(std::mt19937_64& random, int groups,
                                                    int perGroup,
                                                    const std::vector<std::u16string>& targets);
