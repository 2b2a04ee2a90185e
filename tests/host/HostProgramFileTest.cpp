#include <gtest/gtest.h>

#include "platform/host/HostProgramFile.h"
#include "platform/host/HostProtocol.h"

using zorun::HostProgramFile;
using Kind = zorun::HostProgramLine::Kind;

TEST(HostProgramFile, OnlyTextOpeningWithTheHeaderIsOne) {
    EXPECT_TRUE(HostProgramFile::IsHostProgramText("[Zorun Host Program]\n"));
    EXPECT_TRUE(HostProgramFile::IsHostProgramText("\xEF\xBB\xBF[Zorun Host Program]  \r\nA=b"));
    EXPECT_TRUE(HostProgramFile::IsHostProgramText("[Zorun Host Program]"));
    // A script, a program, a comment first, or the header further down are not.
    EXPECT_FALSE(HostProgramFile::IsHostProgramText("#!/bin/sh\n[Zorun Host Program]\n"));
    EXPECT_FALSE(HostProgramFile::IsHostProgramText("\x7F"
                                                    "ELF\x02\x01"));
    EXPECT_FALSE(HostProgramFile::IsHostProgramText("# mine\n[Zorun Host Program]\n"));
    EXPECT_FALSE(HostProgramFile::IsHostProgramText("[Zorun Host Programs]\n"));
    EXPECT_FALSE(HostProgramFile::IsHostProgramText(""));
    EXPECT_FALSE(HostProgramFile::Parse("22#\\Windows\\a.exe").has_value());
}

TEST(HostProgramFile, LinesKeepTheirOrderAndSectionsTheirArguments) {
    const auto file = HostProgramFile::Parse("[Zorun Host Program]\r\n"
                                             "# the browser\n"
                                             "Icon = web-browser\n"
                                             "Open=Zorun.htm#Main_Contents\n"
                                             "Category=WebBrowser\n"
                                             "Default=x-scheme-handler/http;text/html\n"
                                             "Exec=\n"       // empty: nothing to try
                                             "Colour=blue\n" // unknown: ignored
                                             "no equals sign\n"
                                             "Application=firefox.desktop\n"
                                             "\n"
                                             "[Arguments  cplmain.cpl 3,0 ]\n"
                                             "Icon=ignored-here\n"
                                             "Program=\\Windows\\ctlpnl.exe\n"
                                             "Exec=gnome-control-center power\n"
                                             "[Desktop Entry]\n" // another kind of group
                                             "Exec=never\n"
                                             "[Arguments tasks]\n"
                                             "Category=ProjectManagement\n");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Icon(), "web-browser");
    EXPECT_EQ(file->Open(), "Zorun.htm#Main_Contents");
    const auto& main = file->Main().lines;
    ASSERT_EQ(main.size(), 3u);
    EXPECT_EQ(main[0].kind, Kind::Category);
    EXPECT_EQ(main[1].kind, Kind::Default);
    EXPECT_EQ(main[1].value, "x-scheme-handler/http;text/html");
    EXPECT_EQ(main[2].kind, Kind::Application);

    const auto& sections = file->ArgumentSections();
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].arguments, "cplmain.cpl 3,0");
    ASSERT_EQ(sections[0].lines.size(), 2u);
    EXPECT_EQ(sections[0].lines[0].kind, Kind::Program);
    EXPECT_EQ(sections[0].lines[1].value, "gnome-control-center power");
    EXPECT_EQ(sections[1].arguments, "tasks");
    ASSERT_EQ(sections[1].lines.size(), 1u);
}

TEST(HostProtocol, OnlyAWholeAnswerIsTaken) {
    using zorun::ParseAnswer;
    const std::string whole = "launch 0\nid web.desktop\nname Web\nicon web\ndir \n"
                              "arg /usr/bin/web\narg a\\nb\\\\c\\td\nend\n"
                              "none 1\n"
                              "application\nid web.desktop\nname Web\nicon web\nend\n"
                              "done\n";
    const auto survey = ParseAnswer(whole, 2);
    ASSERT_TRUE(survey);
    ASSERT_TRUE(survey->launches[0]);
    EXPECT_EQ(survey->launches[0]->argv, (std::vector<std::string>{"/usr/bin/web", "a\nb\\c\td"}));
    EXPECT_FALSE(survey->launches[1]);
    ASSERT_EQ(survey->applications.size(), 1u);
    EXPECT_EQ(survey->applications[0].name, "Web");

    EXPECT_FALSE(ParseAnswer(whole.substr(0, whole.size() - 5), 2)); // cut before "done"
    EXPECT_FALSE(ParseAnswer(whole, 3));                             // a set not answered
    EXPECT_FALSE(ParseAnswer(whole, 1));                             // a set not asked
    EXPECT_FALSE(ParseAnswer("none 0\nnone 0\ndone\n", 1));
    EXPECT_FALSE(ParseAnswer("launch 0\nend\ndone\n", 1)); // nothing to start
    EXPECT_FALSE(ParseAnswer("done\ndone\n", 0));
    EXPECT_TRUE(ParseAnswer("done\n", 0));
    for (const std::string value : {"", "plain", "a\nb", "\\n", "tab\there\\"})
        EXPECT_EQ(zorun::UnescapeAnswerValue(zorun::EscapeAnswerValue(value)), value);
}
