#pragma once
// kill -9 while the program saves again and again: after each kill the
// settings file must be a whole catalogue (the old one or a new one), never
// a torn one.

#include <filesystem>
#include <random>
#include <string>
#include <vector>

struct SoakKillFigures {
    int kills = 0;
    int torn = 0;        // settings files that did not read back
    int temporaries = 0; // temporary files of interrupted saves left behind
    std::vector<std::string> failures;
};

[[nodiscard]] SoakKillFigures RunSoakKills(const std::filesystem::path& program,
                                           const std::filesystem::path& folder, int kills,
                                           std::mt19937_64& random);
