#include "launcher/UniqueName.h"

#include <unordered_set>

#include "platform/base/Format.h"
#include "platform/base/Text.h"

std::u16string MakeUniqueName(std::u16string_view name, std::span<const std::u16string> taken,
                              NameCompare compare) {
    // One pass over the names instead of a rescan per candidate: the result
    // is the same (the first free k), without the quadratic cost.
    auto key = [compare](std::u16string_view s) {
        return compare == NameCompare::IgnoreCase ? zorun::FoldText(s) : std::u16string(s);
    };
    std::unordered_set<std::u16string> used;
    used.reserve(taken.size());
    for (const std::u16string& t : taken)
        used.insert(key(t));

    std::u16string candidate(name);
    // At most taken.size() candidates can be taken, so this ends.
    for (long long k = 1; used.count(key(candidate)) != 0; ++k)
        candidate = zorun::Format(u"%s%d", name, k);
    return candidate;
}
