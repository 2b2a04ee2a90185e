// The script language: what each line becomes, and the lines refused with
// their number.

#include <gtest/gtest.h>

#include "platform/backend/Options.h"
#include "platform/backend/headless/Script.h"
#include "platform/user/WinUser.h"

namespace {

using zorun::ParseScript;
using zorun::ScriptError;
using zorun::ScriptStep;
using Kind = ScriptStep::Kind;

std::vector<ScriptStep> Parse(std::string_view text) {
    auto parsed = ParseScript(text);
    if (auto* e = std::get_if<ScriptError>(&parsed))
        ADD_FAILURE() << "line " << e->line << ": " << e->reason << ": " << e->text;
    auto* steps = std::get_if<std::vector<ScriptStep>>(&parsed);
    return steps ? *steps : std::vector<ScriptStep>{};
}

TEST(ScriptParse, EveryCommandWithItsArguments) {
    auto steps = Parse("# a comment\n"
                       "\n"
                       "tap 10 20\r\n"
                       "  DOWN 1 2\n"
                       "move -5 300\n"
                       "up 3 4\n"
                       "hold 100 150 800\n"
                       "key return\n"
                       "key Left\n"
                       "key a\n"
                       "key .\n"
                       "text Hello  wörld\n"
                       "wait 5000\n"
                       "command 32786\n"
                       "screenshot out dir/shot.png\n"
                       "dump-text texts.txt\n"
                       "exit\n");
    ASSERT_EQ(steps.size(), 15u);
    EXPECT_EQ(steps[0].kind, Kind::Tap);
    EXPECT_EQ(steps[0].point, (POINT{10, 20}));
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[1].kind, Kind::Down);
    EXPECT_EQ(steps[2].point, (POINT{-5, 300}));
    EXPECT_EQ(steps[4].kind, Kind::Hold);
    EXPECT_EQ(steps[4].ms, 800u);
    EXPECT_EQ(steps[5].virtualKey, VK_RETURN);
    EXPECT_EQ(steps[5].character, u'\r');
    EXPECT_EQ(steps[6].virtualKey, VK_LEFT);
    EXPECT_EQ(steps[6].character, 0);
    EXPECT_EQ(steps[7].virtualKey, 'A');
    EXPECT_EQ(steps[7].character, u'a');
    EXPECT_EQ(steps[8].virtualKey, 0);
    EXPECT_EQ(steps[8].character, u'.');
    EXPECT_EQ(steps[9].text, u"Hello  wörld");
    EXPECT_EQ(steps[10].ms, 5000u);
    EXPECT_EQ(steps[11].commandId, 32786);
    EXPECT_EQ(steps[12].path, "out dir/shot.png");
    EXPECT_EQ(steps[13].kind, Kind::DumpText);
    EXPECT_EQ(steps[14].kind, Kind::Exit);
}

TEST(ScriptParse, BadLinesAreRefusedWithTheirNumberAndText) {
    const char* bad[] = {
        "tap 10",        "tap 10 20 30", "tap x 20",  "tap 10 99999", "hold 1 2",
        "hold 1 2 -5",   "wait",         "wait soon", "wait 5s",      "command",
        "command 70000", "key",          "key F13",   "key ab",       "text",
        "screenshot",    "dump-text",    "exit now",  "jump 1 2",     "tap 1.5 2",
    };
    for (const char* line : bad) {
        std::string script = std::string("tap 1 1\n# fine\n") + line + "\ntap 2 2\n";
        auto parsed = ParseScript(script);
        auto* error = std::get_if<ScriptError>(&parsed);
        ASSERT_NE(error, nullptr) << line;
        EXPECT_EQ(error->line, 3) << line;
        EXPECT_EQ(error->text, line);
        EXPECT_FALSE(error->reason.empty());
    }
}

TEST(PlatformOptions, ValuesFlagsAndMistakes) {
    auto parse = [](std::vector<const char*> args) {
        args.insert(args.begin(), "zorun");
        return zorun::ParseOptions(static_cast<int>(args.size()), args.data());
    };
    auto ok = parse({"--device-root", "/x", "--scale=3", "--fullscreen", "--backend", "sdl"});
    ASSERT_TRUE(std::holds_alternative<zorun::PlatformOptions>(ok));
    auto& o = std::get<zorun::PlatformOptions>(ok);
    EXPECT_EQ(o.deviceRoot, "/x");
    EXPECT_EQ(o.scale, 3);
    EXPECT_TRUE(o.fullscreen);
    EXPECT_FALSE(o.headless);
    EXPECT_EQ(o.backend, zorun::BackendChoice::Sdl);
    auto x11 = parse({"--backend=x11"});
    ASSERT_TRUE(std::holds_alternative<zorun::PlatformOptions>(x11));
    EXPECT_EQ(std::get<zorun::PlatformOptions>(x11).backend, zorun::BackendChoice::X11);

    EXPECT_FALSE(o.noSip);

    auto scripted = parse({"--headless", "--script", "s.txt", "--no-sip"});
    ASSERT_TRUE(std::holds_alternative<zorun::PlatformOptions>(scripted));
    EXPECT_EQ(std::get<zorun::PlatformOptions>(scripted).script, "s.txt");
    EXPECT_TRUE(std::get<zorun::PlatformOptions>(scripted).noSip);
    EXPECT_NE(zorun::UsageText().find("--no-sip"), std::string::npos);

    for (auto args : std::vector<std::vector<const char*>>{{"--scale", "0"},
                                                           {"--scale", "2x"},
                                                           {"--scale"},
                                                           {"--device-root"},
                                                           {"--frobnicate"},
                                                           {"extra"},
                                                           {"--headless=yes"},
                                                           {"--no-sip=1"},
                                                           {"--script", "s.txt"},
                                                           {"--headless", "--scale", "2"},
                                                           {"--backend", "X11 "},
                                                           {"--backend"},
                                                           {"--headless", "--backend", "x11"}}) {
        auto r = parse(args);
        EXPECT_TRUE(std::holds_alternative<zorun::OptionError>(r)) << args[0];
    }
}

} // namespace
