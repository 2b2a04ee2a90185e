#pragma once
// One group's shortcuts: three parallel lists of equal length, index i being
// the shortcut's place in the group's grid (0 first). A shortcut is the
// triple at one index (ShortcutRecord); it is not held as an object.

#include <cstddef>
#include <string>
#include <vector>

struct ShortcutRecord {
    std::u16string target;  // full path of the program or shortcut file; may be empty
    std::u16string name;    // label
    std::u16string iconRef; // "0": the target's own icon; else a built-in icon's number

    bool operator==(const ShortcutRecord&) const = default;
};

struct GroupRecord {
    std::vector<std::u16string> targets;
    std::vector<std::u16string> names;
    std::vector<std::u16string> iconRefs;

    [[nodiscard]] std::size_t Count() const { return targets.size(); }
    [[nodiscard]] bool IsConsistent() const {
        return names.size() == targets.size() && iconRefs.size() == targets.size();
    }
    [[nodiscard]] ShortcutRecord Shortcut(std::size_t i) const {
        return {targets[i], names[i], iconRefs[i]};
    }
    void Append(ShortcutRecord shortcut) {
        targets.push_back(std::move(shortcut.target));
        names.push_back(std::move(shortcut.name));
        iconRefs.push_back(std::move(shortcut.iconRef));
    }

    bool operator==(const GroupRecord&) const = default;
};
