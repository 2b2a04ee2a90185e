#pragma once
// The soft keyboard's keys: where each key sits on the 240 x 80 keyboard,
// what it types, and the keyboard's modifiers. Three pages share one
// arrangement of five 16-pixel rows: letters (with digits above them),
// symbols (all ASCII punctuation and a few currency signs) and accented
// letters. Shift holds for one character and then falls back; Caps Lock
// stays until tapped again and also gives the accented capitals. On the two
// symbol pages the Shift key switches between them.
//
// A Japanese build adds a kana page between the letters and the symbols:
// the syllables in the order of the kana table, Shift giving the voiced or
// small syllable (tapped twice, the half-voiced one) and Caps Lock katakana.
//
// Pure data and rules: the window that shows the keys and sends what they
// type is the soft keyboard (SoftKeyboard.h).

#include <optional>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"

namespace zorun {

// The virtual key sent with characters that have no key of their own
// (punctuation, accented letters), as the device's input methods do
// (VK_PACKET).
constexpr int kPacketKey = 0xE7;

// One key stroke: the virtual key, and the character the key makes (0 for
// keys that make none, such as the arrows).
struct SoftKeyStroke {
    int virtualKey = 0;
    char16_t character = 0;
    friend bool operator==(const SoftKeyStroke&, const SoftKeyStroke&) = default;
};

class SoftKeyboardLayout {
  public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 80;
    static constexpr int kRowHeight = 16;

    enum class Page { Letters, Symbols, Accents, Kana };
    enum class Action {
        Character,
        Backspace,
        Enter,
        Space,
        Shift,        // letters page: the next letter is a capital
        CapsLock,     // every letter a capital until tapped again
        PageSwitch,   // letters <-> symbols
        SymbolSwitch, // symbols <-> accented letters (the Shift key's place)
        Left,
        Up,
        Down,
        Right,
    };
    struct Key {
        Rect rect; // keyboard coordinates
        Action action = Action::Character;
        char16_t character = 0; // Character keys: what the key types now
    };

    SoftKeyboardLayout();

    [[nodiscard]] const std::vector<Key>& Keys() const { return keys_; }
    // The key under a point in keyboard coordinates, or -1.
    [[nodiscard]] int KeyAt(Point p) const;
    [[nodiscard]] Page CurrentPage() const { return page_; }
    [[nodiscard]] bool ShiftOn() const { return shift_ || kanaShift_ > 0; }
    // 0 off, 1 on; on the kana page 2 for the half-voiced syllables.
    [[nodiscard]] int ShiftLevel() const { return shift_ ? 1 : kanaShift_; }
    [[nodiscard]] bool CapsOn() const { return caps_; }
    // True for a latching key that is on now (Shift, Caps Lock).
    [[nodiscard]] bool IsLatched(int index) const;
    // The text written on a key (empty for keys drawn as a picture).
    [[nodiscard]] std::u16string Label(int index) const;

    // What key `index` types now, without changing anything; nothing for
    // the keys that only change the keyboard.
    [[nodiscard]] std::optional<SoftKeyStroke> StrokeOf(int index) const;
    // A tap on key `index`: what it types, after which the modifiers and the
    // page follow the tap.
    std::optional<SoftKeyStroke> Tap(int index);
    // Keys that repeat while held: Backspace and the arrows.
    [[nodiscard]] bool Repeats(int index) const;

    // Back to the letters page, Shift off (Caps Lock stays as it is): how
    // the keyboard comes up again after it went down.
    void BackToLetters();

  private:
    void Build();

    Page page_ = Page::Letters;
    bool shift_ = false;
    int kanaShift_ = 0; // kana page: 0 as written, 1 voiced or small, 2 half-voiced
    bool caps_ = false;
    std::vector<Key> keys_;
};

// The capital of a letter the keyboard types (Latin-1 and oe included);
// anything else unchanged.
[[nodiscard]] char16_t CapitalOf(char16_t c);

// Whether the keyboard has the kana page (set with the language's resources
// at start-up; header-only so that they need no link to the window system).
inline bool& SoftKeyboardKanaInUse() {
    static bool kana = false;
    return kana;
}

} // namespace zorun
