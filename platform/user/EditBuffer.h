#pragma once
// The text of a one-line edit control and what typing does to it: the
// caret, the selection (from the anchor to the caret), the typing limit.
// Text is UTF-16; a character outside the basic plane is a surrogate pair
// that every operation keeps whole: the caret never stops inside one,
// deleting removes both halves, and the limit never lets half of one in.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace zorun {

class EditBuffer {
  public:
    // The limit of a new edit control, and the largest there is.
    static constexpr std::size_t kDefaultLimit = 30000;
    static constexpr std::size_t kLargestLimit = 0x7FFFFFFE;

    struct Result {
        bool changed = false;   // the text is different
        bool truncated = false; // the limit kept out some or all of what was typed
    };

    [[nodiscard]] const std::u16string& Text() const { return text_; }
    // Replaces the whole text (the limit does not apply); the caret goes to
    // the start, with nothing selected.
    void SetText(std::u16string text);

    [[nodiscard]] std::size_t Caret() const { return caret_; }
    [[nodiscard]] std::size_t Anchor() const { return anchor_; }
    [[nodiscard]] std::size_t SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    [[nodiscard]] std::size_t SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    [[nodiscard]] bool HasSelection() const { return caret_ != anchor_; }
    // Positions past the end go to the end; a position inside a pair goes
    // to the pair's start.
    void Select(std::size_t anchor, std::size_t caret);
    // Moves the caret; with `extend` the anchor stays (the selection grows).
    void MoveCaret(std::size_t to, bool extend);

    [[nodiscard]] std::size_t Limit() const { return limit_; }
    // 0: the largest limit. A text already longer stays as it is.
    void SetLimit(std::size_t limit);

    // The selection replaced by as much of `insert` as the limit allows.
    Result ReplaceSelection(std::u16string_view insert);
    // One typed UTF-16 unit (WM_CHAR): a high surrogate waits for its low
    // one, and the pair goes in whole; a half without its other half is dropped.
    Result Type(char16_t unit);
    // Backspace and Delete: the selection, else the character before or after
    // the caret.
    Result DeleteBackward();
    Result DeleteForward();

    // The caret positions around `position`, stepping over pairs whole.
    [[nodiscard]] std::size_t Previous(std::size_t position) const;
    [[nodiscard]] std::size_t Next(std::size_t position) const;
    // The nearest position at or before `position` that is not inside a pair.
    [[nodiscard]] std::size_t Boundary(std::size_t position) const;
    // The word at `position` (the character after it, or before it at the
    // end): a run of characters other than white space, or a run of white
    // space, as [first, second).
    [[nodiscard]] std::pair<std::size_t, std::size_t> WordAt(std::size_t position) const;

  private:
    std::u16string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::size_t limit_ = kDefaultLimit;
    char16_t pendingHigh_ = 0;
};

} // namespace zorun
