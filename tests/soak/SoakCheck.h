#pragma once
// What must hold after every run of the soak.

#include <string>
#include <vector>

#include "tests/soak/SoakDevice.h"
#include "tests/soak/SoakRun.h"
#include "tests/soak/SoakScript.h"

// The broken rules, one line each; empty when the run was sound:
//  - the program ended by itself with status 0, within its time, and no
//    sanitizer reported anything;
//  - the settings file reads as a valid catalogue, or, when the program could
//    not write it, a rescue file in the state folder does;
//  - a settings file the program refused is kept beside it, byte for byte;
//  - after a keeping script, every shortcut target of the starting catalogue
//    is still there, at least as many times (moves and copies are fine).
[[nodiscard]] std::vector<std::string>
CheckSoakRun(const SoakDevice& device, const SoakScript& script, const SoakRunResult& result);

// Reads a settings file; nullopt when it is missing or refused.
[[nodiscard]] std::optional<CatalogueContents> ReadSoakSettings(const std::filesystem::path& file);
