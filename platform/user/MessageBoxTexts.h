#pragma once
// The words on the message boxes' buttons: the platform's own, in the
// language handed over at start-up (English until then).

namespace zorun {

struct MessageBoxTexts {
    const char16_t* ok = u"OK";
    const char16_t* cancel = u"Cancel";
    const char16_t* yes = u"Yes";
    const char16_t* no = u"No";
};

inline MessageBoxTexts& MessageBoxTextsInUse() {
    static MessageBoxTexts texts;
    return texts;
}

} // namespace zorun
