#pragma once
// A desktop of the test's own: temporary XDG data and config folders (the
// user's and the system's), a folder of programs put first on the PATH and
// a home, all set in the environment for the object's life and restored
// afterwards, so that no test reads the machine's applications. The helper
// that asks GIO about them is the one just built.
//
// Marker programs are small scripts that record each run: their arguments
// (argv[0] first), one per line, then "---".

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class HostDesktop {
  public:
    HostDesktop();
    ~HostDesktop();
    HostDesktop(const HostDesktop&) = delete;
    HostDesktop& operator=(const HostDesktop&) = delete;

    [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }
    [[nodiscard]] std::filesystem::path UserApplications() const;
    [[nodiscard]] std::filesystem::path SystemApplications() const;

    // Writes a desktop entry under applications/ (a relative path such as
    // "kde4/kate.desktop" gives the ID "kde4-kate.desktop"), in the user's
    // folder or the system's, and refreshes that folder's MIME cache.
    std::filesystem::path WriteEntry(std::string_view relative, std::string_view content,
                                     bool system = true);
    // A marker program and an application that runs it: "Exec=<program> %U"
    // unless `exec` is given; `extra` lines go into the entry as they are.
    std::filesystem::path AddApplication(std::string_view id, std::string_view name,
                                         std::string_view extra = "", bool system = true,
                                         std::string_view exec = "");
    void RemoveEntry(std::string_view relative, bool system = true);
    // "[Default Applications]" of the user's mimeapps.list.
    void SetDefault(std::string_view type, std::string_view id);

    // A marker program on the PATH; its host path.
    std::filesystem::path MarkerProgram(std::string_view name);
    // The runs recorded by marker program `name`, waiting until there are
    // `runs` (or giving up after a few seconds).
    [[nodiscard]] std::vector<std::vector<std::string>> WaitForRuns(std::string_view name,
                                                                    std::size_t runs) const;
    // The runs so far, without waiting.
    [[nodiscard]] std::vector<std::vector<std::string>> Runs(std::string_view name) const;

    // Points the data folders at other ones (a corpus).
    void UseDataFolders(const std::filesystem::path& user, const std::filesystem::path& system);
    // The helper as built (the one in use unless a test sets ZORUN_HOST_HELPER).
    [[nodiscard]] static const char* BuiltHelper();
    // Sets an environment variable for the object's life (null: unset).
    void SetEnv(const char* name, const char* value);

  private:
    void UpdateMimeCache(const std::filesystem::path& applications);

    std::filesystem::path folder_;
    std::map<std::string, std::optional<std::string>> saved_;
};
