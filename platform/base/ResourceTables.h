#pragma once
// Resource tables of one kind (strings, menus, dialogs, pictures, ...): the
// language's tables, handed over once at start-up, and tables added by the
// caller itself (tests, tools), which take precedence. Header-only, so that
// whoever hands tables over needs no link to the layer that reads them.

#include <span>
#include <vector>

namespace zorun {

template <class Entry> class ResourceTables {
  public:
    // The language's tables; they replace those of a language set before.
    void SetLanguage(std::vector<std::span<const Entry>> tables) { language_ = std::move(tables); }
    // A table of the caller's own; later ones take precedence.
    void Add(std::span<const Entry> table) { added_.push_back(table); }

    // The first entry that `matches`, looking at the added tables newest
    // first, then at the language's tables in their order; nullptr if none.
    template <class Match> [[nodiscard]] const Entry* Find(Match matches) const {
        for (auto table = added_.rbegin(); table != added_.rend(); ++table)
            for (const Entry& entry : *table)
                if (matches(entry))
                    return &entry;
        for (const auto& table : language_)
            for (const Entry& entry : table)
                if (matches(entry))
                    return &entry;
        return nullptr;
    }

  private:
    std::vector<std::span<const Entry>> language_;
    std::vector<std::span<const Entry>> added_;
};

} // namespace zorun
