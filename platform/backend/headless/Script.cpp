#include "platform/backend/headless/Script.h"

#include <charconv>
#include <optional>

#include "platform/base/Text.h"
#include "platform/user/WinUser.h"

namespace zorun {

namespace {

constexpr std::int64_t kCoordinateLimit = 32767; // what a stylus message can carry
constexpr std::int64_t kLongestWaitMs = 365LL * 24 * 3600 * 1000;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(s.substr(start, i - start));
    }
    return words;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::optional<std::int64_t> Number(std::string_view word, std::int64_t min, std::int64_t max) {
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

struct KeyName {
    const char* name;
    int vk;
    char16_t character;
};
constexpr KeyName kKeys[] = {
    {"left", VK_LEFT, 0},
    {"right", VK_RIGHT, 0},
    {"up", VK_UP, 0},
    {"down", VK_DOWN, 0},
    {"return", VK_RETURN, u'\r'},
    {"escape", VK_ESCAPE, 0x1B},
    {"tab", VK_TAB, u'\t'},
    {"back", VK_BACK, 0x08},
    {"space", VK_SPACE, u' '},
    {"delete", VK_DELETE, 0},
    {"f1", VK_F1, 0},
    {"help", VK_HELP, 0},
};

// The rest of the line after the command word, as written.
std::string_view Rest(std::string_view line, std::string_view command) {
    return Trim(line.substr(command.size()));
}

} // namespace

ParsedScript ParseScript(std::string_view source) {
    std::vector<ScriptStep> steps;
    int lineNumber = 0;
    while (!source.empty()) {
        std::size_t end = source.find('\n');
        std::string_view raw = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view{} : source.substr(end + 1);
        ++lineNumber;
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#')
            continue;

        auto fail = [&](const char* reason) {
            return ScriptError{lineNumber, std::string(Trim(raw)), reason};
        };
        std::vector<std::string_view> words = Words(line);
        std::string command = Lower(words[0]);
        ScriptStep step;
        step.line = lineNumber;

        auto point = [&](std::size_t count) -> bool {
            if (words.size() != count)
                return false;
            auto x = Number(words[1], -kCoordinateLimit, kCoordinateLimit);
            auto y = Number(words[2], -kCoordinateLimit, kCoordinateLimit);
            if (!x || !y)
                return false;
            step.point = {static_cast<int>(*x), static_cast<int>(*y)};
            return true;
        };

        if (command == "tap" || command == "down" || command == "move" || command == "up") {
            step.kind = command == "tap"    ? ScriptStep::Kind::Tap
                        : command == "down" ? ScriptStep::Kind::Down
                        : command == "move" ? ScriptStep::Kind::Move
                                            : ScriptStep::Kind::Up;
            if (!point(3))
                return fail("expected two whole numbers: X Y");
        } else if (command == "hold") {
            step.kind = ScriptStep::Kind::Hold;
            if (!point(4))
                return fail("expected X Y MS");
            auto ms = Number(words[3], 0, kLongestWaitMs);
            if (!ms)
                return fail("expected X Y MS");
            step.ms = static_cast<std::uint64_t>(*ms);
        } else if (command == "wait") {
            step.kind = ScriptStep::Kind::Wait;
            auto ms = words.size() == 2 ? Number(words[1], 0, kLongestWaitMs) : std::nullopt;
            if (!ms)
                return fail("expected a number of milliseconds");
            step.ms = static_cast<std::uint64_t>(*ms);
        } else if (command == "command") {
            step.kind = ScriptStep::Kind::Command;
            auto id = words.size() == 2 ? Number(words[1], 0, 0xFFFF) : std::nullopt;
            if (!id)
                return fail("expected a command number from 0 to 65535");
            step.commandId = static_cast<int>(*id);
        } else if (command == "key") {
            step.kind = ScriptStep::Kind::Key;
            if (words.size() != 2)
                return fail("expected one key name or one character");
            std::string name = Lower(words[1]);
            bool found = false;
            for (const KeyName& k : kKeys) {
                if (name == k.name) {
                    step.virtualKey = k.vk;
                    step.character = k.character;
                    found = true;
                }
            }
            if (!found) {
                std::u16string c = FromUtf8(words[1]);
                if (c.size() != 1 || c[0] == u'\uFFFD')
                    return fail("unknown key name");
                step.character = c[0];
                if (c[0] >= u'a' && c[0] <= u'z')
                    step.virtualKey = c[0] - u'a' + 'A';
                else if ((c[0] >= u'A' && c[0] <= u'Z') || (c[0] >= u'0' && c[0] <= u'9'))
                    step.virtualKey = c[0];
            }
        } else if (command == "text") {
            step.kind = ScriptStep::Kind::Text;
            step.text = FromUtf8(Rest(line, words[0]));
            if (step.text.empty())
                return fail("expected the text to type");
        } else if (command == "screenshot" || command == "dump-text") {
            step.kind =
                command == "screenshot" ? ScriptStep::Kind::Screenshot : ScriptStep::Kind::DumpText;
            step.path = std::string(Rest(line, words[0]));
            if (step.path.empty())
                return fail("expected a file name");
        } else if (command == "exit") {
            step.kind = ScriptStep::Kind::Exit;
            if (words.size() != 1)
                return fail("exit takes nothing after it");
        } else {
            return fail("unknown command");
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

} // namespace zorun
