#pragma once
// The script mode's language: one command per line, parsed completely before
// the program starts, so a bad line stops the run before anything happens.
//
//   tap X Y | down X Y | move X Y | up X Y | hold X Y MS
//   key NAME (LEFT RIGHT UP DOWN RETURN ESCAPE TAB BACK SPACE DELETE, or one
//            character) | text STRING | wait MS | command ID
//   screenshot FILE.png | dump-text FILE | exit
// Blank lines and lines starting with # are ignored; names ignore case.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/base/Geometry.h"

namespace zorun {

struct ScriptStep {
    enum class Kind {
        Tap,
        Down,
        Move,
        Up,
        Hold,
        Key,
        Text,
        Wait,
        Command,
        Screenshot,
        DumpText,
        Exit
    };
    Kind kind = Kind::Exit;
    int line = 0;
    Point point;
    std::uint64_t ms = 0;
    int virtualKey = 0;     // Key: 0 when the character has no key of its own
    char16_t character = 0; // Key: what the key types (0: nothing)
    std::u16string text;    // Text
    int commandId = 0;      // Command
    std::string path;       // Screenshot, DumpText (UTF-8, as written)
};

struct ScriptError {
    int line = 0;
    std::string text; // the line as written
    std::string reason;
};

using ParsedScript = std::variant<std::vector<ScriptStep>, ScriptError>;
[[nodiscard]] ParsedScript ParseScript(std::string_view source);

} // namespace zorun
