#include "launcher/Launching.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <thread>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/shell/Shortcut.h"
#include "tests/support/Corpora.h"

namespace fs = std::filesystem;
using Kind = LaunchPlan::Kind;

namespace {

class Launching : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-launch-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Windows" / "Start Menu");
        zorun::SetDeviceRoot(root_);
        // Every program records its name and arguments in its own marker.
        for (const char* name : {"tool.exe", "calendar.exe", "poutlook.exe", "notes"}) {
            const auto path = root_ / "Windows" / name;
            std::ofstream(path) << "#!/bin/sh\n{ printf '%s\\n' \"$(basename \"$0\")\"; for a in "
                                   "\"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$0.out.tmp\"\n"
                                   "mv \"$0.out.tmp\" \"$0.out\"\n";
            chmod(path.c_str(), 0755);
        }
        Link("Windows/Start Menu/Calendar.lnk", "25#\\Windows\\poutlook.exe -cal");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Link(const fs::path& relative, const std::string& text) {
        std::ofstream(root_ / relative, std::ios::binary) << text;
    }
    // The argv a program recorded, waiting (bounded) for it to finish.
    std::vector<std::string> Ran(const char* program) {
        const auto out = root_ / "Windows" / (std::string(program) + ".out");
        for (int i = 0; i < 500 && !fs::exists(out); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::vector<std::string> lines;
        std::ifstream in(out);
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
        fs::remove(out);
        return lines;
    }

    fs::path root_;
};

} // namespace

TEST_F(Launching, DesktopTargetInAnyCaseStartsNothing) {
    for (const char16_t* t : {u"\\windows\\shell32.exe", u"\\WINDOWS\\Shell32.EXE"}) {
        const auto plan = PlanLaunch(t, LaunchVariant::Message);
        EXPECT_EQ(plan.kind, Kind::Desktop);
    }
    EXPECT_EQ(PlanLaunch(u"", LaunchVariant::Message).kind, Kind::Nothing);
    EXPECT_FALSE(LaunchShortcut(u"", LaunchVariant::Key));
}

TEST_F(Launching, CalendarIsRewrittenToItsLinkOnlyForTheTap) {
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\calendar.exe", LaunchVariant::Message));
    EXPECT_EQ(Ran("poutlook.exe"), (std::vector<std::string>{"poutlook.exe", "-cal"}));
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\calendar.exe", LaunchVariant::Key));
    EXPECT_EQ(Ran("calendar.exe"), std::vector<std::string>{"calendar.exe"});
    // The test is case-sensitive: "Calendar.EXE" is not rewritten.
    EXPECT_EQ(PlanLaunch(u"\\Windows\\Calendar.EXE", LaunchVariant::Message).program,
              u"\\Windows\\Calendar.EXE");
}

TEST_F(Launching, ShortcutFilesStartTheirProgramWithItsArguments) {
    Link("Windows/Start Menu/Tool.lnk", "40#\\Windows\\tool.exe first \"two words\"");
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\Start Menu\\Tool.lnk", LaunchVariant::Message));
    EXPECT_EQ(Ran("tool.exe"), (std::vector<std::string>{"tool.exe", "first", "two words"}));

    // A quoted program path keeps working: the quotes are not part of the name.
    Link("Windows/Start Menu/Quoted.lnk", "30#\"\\Windows\\tool.exe\" x");
    const auto quoted = PlanLaunch(u"\\Windows\\Start Menu\\Quoted.lnk", LaunchVariant::Key);
    EXPECT_EQ(quoted.program, u"\"\\Windows\\tool.exe");
    EXPECT_EQ(quoted.arguments, u" x");
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\Start Menu\\Quoted.lnk", LaunchVariant::Key));
    EXPECT_EQ(Ran("tool.exe"), (std::vector<std::string>{"tool.exe", "x"}));

    // Ending right after ".exe" gives no arguments.
    Link("Windows/Start Menu/Bare.lnk", "18#\\Windows\\tool.exe");
    const auto bare = PlanLaunch(u"\\Windows\\Start Menu\\Bare.lnk", LaunchVariant::Key);
    EXPECT_EQ(bare.program, u"\\Windows\\tool.exe");
    EXPECT_EQ(bare.arguments, u"");

    // No ".exe" at all: the whole text is the program, with no arguments.
    Link("Windows/Start Menu/Notes.lnk", "14#\\Windows\\notes");
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\Start Menu\\Notes.lnk", LaunchVariant::Message));
    EXPECT_EQ(Ran("notes"), std::vector<std::string>{"notes"});
}

TEST_F(Launching, ShortcutsThatAreNotResolved) {
    // Capital ".LNK" and ".lnk" at position 0 go to CreateProcessW unchanged.
    Link("Windows/Start Menu/Up.LNK", "18#\\Windows\\tool.exe");
    const auto upper = PlanLaunch(u"\\Windows\\Start Menu\\Up.LNK", LaunchVariant::Message);
    EXPECT_EQ(upper.kind, Kind::Program);
    EXPECT_EQ(upper.program, u"\\Windows\\Start Menu\\Up.LNK");
    EXPECT_FALSE(LaunchShortcut(u"\\Windows\\Start Menu\\Up.LNK", LaunchVariant::Message));
    EXPECT_EQ(PlanLaunch(u".lnk", LaunchVariant::Message).program, u".lnk");
    // An unreadable shortcut file starts nothing.
    EXPECT_EQ(PlanLaunch(u"\\Windows\\missing.lnk", LaunchVariant::Message).kind, Kind::Nothing);
    EXPECT_FALSE(LaunchShortcut(u"\\Windows\\missing.lnk", LaunchVariant::Message));
}

TEST_F(Launching, OnlyTheExtensionMakesAShortcutAndTheProgramEndsAtARealExe) {
    // A folder whose name holds ".lnk" is no shortcut file.
    fs::create_directories(root_ / "Windows" / "a.lnkdir");
    fs::copy_file(root_ / "Windows" / "tool.exe", root_ / "Windows" / "a.lnkdir" / "p0.exe");
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\a.lnkdir\\p0.exe", LaunchVariant::Message));
    EXPECT_EQ(Ran("a.lnkdir/p0.exe"), std::vector<std::string>{"p0.exe"});

    // ".exe" inside a folder name does not end the program part.
    fs::create_directories(root_ / "Windows" / "x.exe.d");
    fs::copy_file(root_ / "Windows" / "tool.exe", root_ / "Windows" / "x.exe.d" / "p2.exe");
    Link("Windows/Start Menu/P2.lnk", "27#\\Windows\\x.exe.d\\p2.exe arg");
    auto plan = PlanLaunch(u"\\Windows\\Start Menu\\P2.lnk", LaunchVariant::Key);
    EXPECT_EQ(plan.program, u"\\Windows\\x.exe.d\\p2.exe");
    EXPECT_EQ(plan.arguments, u"arg");
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\Start Menu\\P2.lnk", LaunchVariant::Key));
    EXPECT_EQ(Ran("x.exe.d/p2.exe"), (std::vector<std::string>{"p2.exe", "arg"}));

    EXPECT_EQ(ProgramEnd(u"\\a.exe"), 6u);
    EXPECT_EQ(ProgramEnd(u"\"\\a b.exe\" x"), 9u);
    EXPECT_EQ(ProgramEnd(u"\\a.exe.d\\b.exe x"), 14u);
    EXPECT_EQ(ProgramEnd(u"\\a.exec"), std::u16string::npos);
    EXPECT_FALSE(IsShortcutFile(u"\\a.lnk x"));
    EXPECT_FALSE(IsShortcutFile(u"\\a.lnkdir\\b.exe"));
    EXPECT_TRUE(IsShortcutFile(u"\\Windows\\a.lnk"));
}

TEST_F(Launching, LongTargetsArriveWhole) {
    // 150 characters of arguments and a program path past 100 characters.
    const std::string folder(100, 'f');
    fs::create_directories(root_ / "Windows" / folder);
    fs::copy_file(root_ / "Windows" / "tool.exe", root_ / "Windows" / folder / "long.exe");
    const std::string first(70, 'a'), second(79, 'b');
    Link("Windows/Start Menu/Long.lnk",
         "9#\\Windows\\" + folder + "\\long.exe " + first + " " + second + "\r\n");
    ASSERT_TRUE(LaunchShortcut(u"\\Windows\\Start Menu\\Long.lnk", LaunchVariant::Message));
    EXPECT_EQ(Ran((folder + "/long.exe").c_str()),
              (std::vector<std::string>{"long.exe", first, second}));
}

// The published shortcut lines: the program part is the quoted or unquoted
// path up to its ".exe", the arguments all that follows.
TEST_F(Launching, PublishedShortcutsSplitIntoProgramAndArguments) {
    std::ifstream in(Corpus("shortcuts/examples.tsv"));
    if (!in)
        SKIP_WITHOUT_CORPUS("shortcut corpus");
    int checked = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cols;
        std::istringstream fields(line);
        for (std::string col; std::getline(fields, col, '\t');)
            cols.push_back(col);
        ASSERT_GE(cols.size(), 4u);
        const std::string& content = cols[3];
        Link("Windows/Start Menu/Example.lnk", content);
        const auto plan = PlanLaunch(u"\\Windows\\Start Menu\\Example.lnk", LaunchVariant::Key);
        ASSERT_EQ(plan.kind, Kind::Program) << content;
        const std::string target = content.substr(content.find('#') + 1);
        const auto exe = target.find(".exe");
        if (exe == std::string::npos) {
            EXPECT_EQ(zorun::ToUtf8(plan.program), target);
            EXPECT_EQ(plan.arguments, u"");
        } else {
            EXPECT_EQ(zorun::ToUtf8(plan.program), target.substr(0, exe + 4)) << content;
            EXPECT_EQ(zorun::ToUtf8(plan.arguments),
                      target.substr(std::min(exe + 5, target.size())))
                << content;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 12);
}
