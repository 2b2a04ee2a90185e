// For programs without a main of their own (tests, benchmarks, fuzz
// targets): linking this object puts one language's resources in use
// before anything runs, as the program's main does. ZORUN_LANGUAGE names
// the language's table (English, ...).

#include "res/LanguageResources.h"

namespace {

[[maybe_unused]] const bool languageInUse =
    (zorun::res::UseLanguage(zorun::res::ZORUN_LANGUAGE()), true);

} // namespace
