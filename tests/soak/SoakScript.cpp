#include "tests/soak/SoakScript.h"

#include <array>
#include <sstream>

#include "tests/soak/SoakCommands.h"

namespace {

class ScriptWriter {
  public:
    ScriptWriter(std::mt19937_64& random, bool keeping) : random_(random), keeping_(keeping) {}

    void Event() {
        const int kind = Pick({30, 8, 10, 14, 4, 7, 7});
        switch (kind) {
        case 0:
            Tap();
            break;
        case 1:
            Hold();
            break;
        case 2:
            Drag();
            break;
        case 3:
            Key();
            break;
        case 4:
            Typing();
            break;
        case 5:
            Wait();
            break;
        default:
            Command();
            break;
        }
    }

    [[nodiscard]] int Events() const { return events_; }
    [[nodiscard]] std::string Lines() const { return out_.str(); }

  private:
    int Uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    int Pick(std::initializer_list<int> weights) {
        return std::discrete_distribution<int>(weights.begin(), weights.end())(random_);
    }
    void Line(const std::string& line) {
        out_ << line << '\n';
        ++events_;
    }
    void Point(int& x, int& y) {
        // Mostly where things are: the launcher's cells and tabs, the page
        // bar, the panel, the bars at the top and (unless keeping) bottom.
        switch (Pick({40, 15, 6, 10, 6, keeping_ ? 0 : 12, 11})) {
        case 0: // a shortcut cell
            x = Uniform(0, 2) * 78 + Uniform(5, 76);
            y = 111 + Uniform(0, 1) * 67 + Uniform(10, 71);
            break;
        case 1: // tab strip and arrows
            x = Uniform(0, 239);
            y = Uniform(266, 290);
            break;
        case 2: // page bar
            x = Uniform(0, 239);
            y = Uniform(100, 110);
            break;
        case 3: // information panel
            x = Uniform(0, 239);
            y = Uniform(26, 99);
            break;
        case 4: // navigation bar, with the dialogs' "ok"
            x = Uniform(0, 239);
            y = Uniform(0, 25);
            break;
        case 5: // command bar: menus, the monitor button, the keyboard
            x = Uniform(0, 239);
            y = Uniform(294, 319);
            break;
        default: // anywhere, edges and all
            x = Uniform(0, 239);
            y = Uniform(0, keeping_ ? 293 : 319);
            break;
        }
    }
    void Tap() {
        int x = 0, y = 0;
        Point(x, y);
        Line("tap " + std::to_string(x) + " " + std::to_string(y));
    }
    void Hold() {
        int x = 0, y = 0;
        Point(x, y);
        // Around the 600 ms of press and hold; a keeping script stays below it.
        const int ms = keeping_ ? Uniform(0, 590) : Uniform(0, 1500);
        Line("hold " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(ms));
    }
    void Drag() {
        int x = 0, y = 0;
        Point(x, y);
        Line("down " + std::to_string(x) + " " + std::to_string(y));
        for (int n = Uniform(1, 6); n > 0; --n) {
            Point(x, y);
            Line("move " + std::to_string(x) + " " + std::to_string(y));
        }
        if (Uniform(0, 3) == 0)
            Line("wait " + std::to_string(Uniform(0, keeping_ ? 500 : 2500)));
        Line("up " + std::to_string(x) + " " + std::to_string(y));
    }
    void Key() {
        static constexpr std::array<const char*, 14> kKeys = {
            "left", "right", "up",     "down", "return", "escape", "tab",
            "back", "space", "delete", "a",    "Z",      "7",      "#"};
        Line(std::string("key ") + kKeys[std::size_t(Uniform(0, kKeys.size() - 1))]);
    }
    void Typing() {
        static constexpr std::array<const char*, 8> kTexts = {
            "Mail",
            "a very long name that does not fit anywhere on this screen at all",
            "Çà ß ñ",
            "日本語のテキスト",
            "\\Windows\\p1.exe",
            "..\\..\\etc",
            "a?b*c",
            "x"};
        Line(std::string("text ") + kTexts[std::size_t(Uniform(0, kTexts.size() - 1))]);
    }
    void Wait() {
        // Short waits, and now and then long enough for the panel's refresh
        // and the group tip's timer.
        const int ms = Pick({6, 3, 1}) == 0 ? Uniform(0, 700)
                       : Uniform(0, 1)      ? Uniform(1900, 2100)
                                            : Uniform(4900, 10500);
        Line("wait " + std::to_string(ms));
    }
    void Command() {
        std::vector<const SoakCommand*> usable;
        for (const SoakCommand& c : SoakCommands())
            if (!keeping_ || c.effect == SoakEffect::Keeps)
                usable.push_back(&c);
        if (usable.empty())
            return;
        const SoakCommand& command = *usable[std::size_t(Uniform(0, int(usable.size()) - 1))];
        Line("command " + std::to_string(command.id));
        for (int n = command.dialogEvents ? Uniform(0, command.dialogEvents) : 0; n > 0; --n)
            DialogInput();
        if (command.dialogEvents)
            Line(Pick({3, 2, 1}) == 0 ? "tap 227 13" : Uniform(0, 1) ? "key escape" : "key return");
    }
    void DialogInput() {
        switch (Pick({10, 4, 5, 2})) {
        case 0: // anywhere in the work area, where dialogs live
            Line("tap " + std::to_string(Uniform(0, 239)) + " " + std::to_string(Uniform(26, 293)));
            break;
        case 1:
            Typing();
            break;
        case 2:
            Key();
            break;
        default:
            Line("tap 227 13"); // the dialog's "ok"
            break;
        }
    }

    std::mt19937_64& random_;
    bool keeping_;
    std::ostringstream out_;
    int events_ = 0;
};

} // namespace

SoakScript MakeSoakScript(std::mt19937_64& random, int events, bool keeping) {
    ScriptWriter writer(random, keeping);
    writer.Event(); // something happens even in the smallest script
    while (writer.Events() < events)
        writer.Event();
    SoakScript script;
    script.events = writer.Events();
    script.text = writer.Lines() + "exit\n";
    script.keeping = keeping;
    return script;
}
