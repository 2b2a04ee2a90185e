#pragma once
// The conformance corpora written by others live beside the repository
// (../shared/corpora), never inside it; tests skip when they are absent.

#include <cstdlib>
#include <filesystem>

// The folder of one corpus, or an empty path when no corpora are known.
inline std::filesystem::path Corpus(const char* name) {
    if (const char* root = std::getenv("ZORUN_CORPORA"))
        return std::filesystem::path(root) / name;
    if (const char* source = std::getenv("ZORUN_SOURCE_DIR"))
        return std::filesystem::path(source) / ".." / "shared" / "corpora" / name;
    return {};
}
