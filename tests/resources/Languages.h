#pragma once
// Every language build's resources, English first.

#include <vector>

#include "res/LanguageResources.h"

namespace zorun::test {

inline std::vector<const res::LanguageResources*> Languages() {
    return {&res::English(), &res::Spanish(), &res::Japanese(),
            &res::Italian(), &res::German(),  &res::French()};
}

} // namespace zorun::test
