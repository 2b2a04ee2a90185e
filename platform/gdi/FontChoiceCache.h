#pragma once
// The faces fontconfig chose, kept between runs, so that a start whose
// fonts are all known opens them with FreeType straight away: loading
// fontconfig's configuration costs more than drawing the whole first screen.
//
// The kept choices hold only while nothing they depend on changed: the
// file records a stamp made of fontconfig's configuration files, its cache
// folders, the font folders and the locale, and each choice the identity
// (size, modification time) of its font file. A file that is missing,
// unreadable, malformed or stamped otherwise is ignored, as is a choice
// whose font file changed; fontconfig then chooses again.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace zorun::gdi {

struct FaceChoice {
    std::string path; // the font file
    int index = 0;    // the face in it
    std::string family;
    int weight = 0; // fontconfig's weight and slant of the face
    int slant = 0;
    std::int64_t size = 0; // the file's identity when chosen
    std::int64_t modifiedNs = 0;
    friend bool operator==(const FaceChoice&, const FaceChoice&) = default;
};

class FontChoiceCache {
  public:
    // The identity of everything fontconfig's answers depend on, now.
    [[nodiscard]] static std::string CurrentStamp();
    // The choices kept in `file` under `stamp`; none when the file cannot
    // be used.
    [[nodiscard]] static FontChoiceCache Load(const std::filesystem::path& file,
                                              const std::string& stamp);
    // Writes the choices atomically (a temporary file renamed over the old).
    [[nodiscard]] bool Save(const std::filesystem::path& file, const std::string& stamp) const;

    // The face for a request (family, bold, italic); nothing when unknown or
    // its file changed since.
    [[nodiscard]] std::optional<FaceChoice> Face(const std::string& family, bool bold,
                                                 bool italic) const;
    void SetFace(const std::string& family, bool bold, bool italic, FaceChoice choice);
    // The face drawing `codePoint` for a request whose own face lacks it:
    // unknown (nothing), known to be none (nothing inside), or the face.
    [[nodiscard]] std::optional<std::optional<FaceChoice>>
    Fallback(const std::string& family, bool bold, bool italic, char32_t codePoint) const;
    void SetFallback(const std::string& family, bool bold, bool italic, char32_t codePoint,
                     std::optional<FaceChoice> choice);

    // Fills in the file's identity; false when the file cannot be seen.
    [[nodiscard]] static bool Identify(FaceChoice& choice);

    [[nodiscard]] bool Changed() const { return changed_; }
    [[nodiscard]] std::size_t Size() const { return entries_.size(); }

  private:
    [[nodiscard]] static std::string Key(char kind, const std::string& family, bool bold,
                                         bool italic, char32_t codePoint);
    [[nodiscard]] std::optional<std::optional<FaceChoice>> Find(const std::string& key) const;

    // Key -> face, or none for a code point no face has.
    std::map<std::string, std::optional<FaceChoice>> entries_;
    bool changed_ = false;
};

} // namespace zorun::gdi
