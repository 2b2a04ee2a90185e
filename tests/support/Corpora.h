#pragma once
// The conformance corpora written by others live beside the repository
// (../shared/corpora), never inside it; tests skip when they are absent,
// except under CI, where a missing corpus fails the test: the checks it
// stands for would otherwise silently not run.

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <gtest/gtest.h>

// The folder of one corpus, or an empty path when no corpora are known.
inline std::filesystem::path Corpus(const char* name) {
    if (const char* root = std::getenv("ZORUN_CORPORA"))
        return std::filesystem::path(root) / name;
    if (const char* source = std::getenv("ZORUN_SOURCE_DIR"))
        return std::filesystem::path(source) / ".." / "shared" / "corpora" / name;
    return {};
}

// True when the environment says this is CI (CI set, and not "0" or "false").
inline bool CorporaRequired() {
    const char* ci = std::getenv("CI");
    return ci && *ci && std::string_view(ci) != "0" && std::string_view(ci) != "false";
}

// In a test body, when the corpus `what` is missing: a skip, or under CI a failure.
#define SKIP_WITHOUT_CORPUS(what)                                                                  \
    do {                                                                                           \
        if (CorporaRequired())                                                                     \
            GTEST_FAIL() << what << " not present, and CI needs it";                               \
        else                                                                                       \
            GTEST_SKIP() << what << " not present";                                                \
    } while (0)
