#pragma once
// How the language builds differ beyond their texts and pictures. The
// program hands over its language's rules once at start-up (with its
// resources); until then the rules of most builds hold.

struct LanguageRules {
    // The group tip, the task monitor and the editing dialogs may use
    // ClearType fonts when the device's setting is on (the French build keeps
    // them on the platform's default fonts).
    bool secondaryWindowsClearType = true;
    // The task monitor's title is drawn centred instead of from the left.
    bool centredMonitorTitle = false;
};

// Header-only, so that whoever hands the rules over needs no link to the
// catalogue.
inline LanguageRules& LanguageRulesInUse() {
    static LanguageRules rules;
    return rules;
}
inline void UseLanguageRules(const LanguageRules& rules) {
    LanguageRulesInUse() = rules;
}
