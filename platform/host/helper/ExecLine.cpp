#include "platform/host/helper/ExecLine.h"

#include <cstdlib>
#include <glib.h>

namespace zorun::host {

namespace {

std::string Take(gchar* text) {
    std::string s = text ? text : "";
    g_free(text);
    return s;
}

std::string Quote(const std::string& s) {
    return Take(g_shell_quote(s.c_str()));
}

bool IsPath(const std::string& item) {
    return !item.empty() && item.front() == '/';
}

// A file for %f: local files as paths, other URLs as they are.
std::string AsPath(const std::string& item) {
    if (item.rfind("file:", 0) != 0)
        return item;
    const std::string uri = item.substr(0, item.find('#'));
    gchar* path = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
    return path ? Take(path) : item;
}

// A URL for %u: local files as file:// URLs.
std::string AsUri(const std::string& item) {
    if (!IsPath(item))
        return item;
    gchar* uri = g_filename_to_uri(item.c_str(), nullptr, nullptr);
    return uri ? Take(uri) : item;
}

} // namespace

std::optional<std::string> FindProgram(const std::string& program) {
    if (program.empty())
        return std::nullopt;
    if (program.find('/') != std::string::npos) {
        if (program.front() == '/' && g_file_test(program.c_str(), G_FILE_TEST_IS_EXECUTABLE) &&
            !g_file_test(program.c_str(), G_FILE_TEST_IS_DIR))
            return program;
        return std::nullopt;
    }
    gchar* found = g_find_program_in_path(program.c_str());
    if (!found)
        return std::nullopt;
    return Take(found);
}

std::optional<std::vector<std::string>> ExpandExecLine(const std::string& exec,
                                                       const ExecContext& context) {
    std::string line;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%' || i + 1 == exec.size()) {
            line += exec[i];
            continue;
        }
        const char code = exec[++i];
        switch (code) {
        case 'f':
        case 'F':
        case 'u':
        case 'U': {
            const bool all = code == 'F' || code == 'U';
            std::string expansion;
            for (const std::string& item : context.items) {
                if (!expansion.empty())
                    expansion += ' ';
                expansion += Quote(code == 'f' || code == 'F' ? AsPath(item) : AsUri(item));
                if (!all)
                    break;
            }
            line += expansion;
            break;
        }
        case 'i':
            if (!context.icon.empty())
                line += "--icon " + Quote(context.icon);
            break;
        case 'c':
            if (!context.name.empty())
                line += Quote(context.name);
            break;
        case 'k':
            if (!context.location.empty())
                line += Quote(context.location);
            break;
        case '%':
            line += '%';
            break;
        default: // %d %D %n %N %v %m and unknown codes
            break;
        }
    }
    gint argc = 0;
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(line.c_str(), &argc, &argv, nullptr))
        return std::nullopt;
    std::vector<std::string> words(argv, argv + argc);
    g_strfreev(argv);
    if (words.empty())
        return std::nullopt;
    auto program = FindProgram(words.front());
    if (!program)
        return std::nullopt;
    words.front() = *program;
    return words;
}

std::optional<std::vector<std::string>> InTerminal(const std::vector<std::string>& argv) {
    struct Terminal {
        std::string program;
        std::vector<std::string> options; // before the command
    };
    std::vector<Terminal> terminals{{"xdg-terminal-exec", {}}};
    if (const char* own = std::getenv("TERMINAL"); own && *own)
        terminals.push_back({own, {"-e"}});
    for (const Terminal& t : std::initializer_list<Terminal>{
             {"x-terminal-emulator", {"-e"}},
             {"gnome-terminal", {"--"}},
             {"konsole", {"-e"}},
             {"xfce4-terminal", {"-x"}},
             {"mate-terminal", {"-x"}},
             {"alacritty", {"-e"}},
             {"kitty", {}},
             {"foot", {}},
             {"urxvt", {"-e"}},
             {"xterm", {"-e"}},
         })
        terminals.push_back(t);
    for (const Terminal& t : terminals) {
        auto program = FindProgram(t.program);
        if (!program)
            continue;
        std::vector<std::string> command{*program};
        command.insert(command.end(), t.options.begin(), t.options.end());
        command.insert(command.end(), argv.begin(), argv.end());
        return command;
    }
    return std::nullopt;
}

} // namespace zorun::host
