#include "platform/command_line.h"

#include <gtest/gtest.h>

using namespace kelmar::platform;

TEST(CommandLine, SplitsAtSlashesAndTrims) {
    auto args = splitCommandLine("/I/C:\\out folder", 2);
    ASSERT_EQ(args.count(), 2);
    EXPECT_EQ(args.arg(1), "I");
    EXPECT_EQ(args.arg(2), "C:\\out folder");

    args = splitCommandLine("/A /B", 2);
    ASSERT_EQ(args.count(), 2);
    EXPECT_EQ(args.arg(1), "A");
    EXPECT_EQ(args.arg(2), "B");

    args = splitCommandLine("first/second", 2);
    EXPECT_EQ(args.arg(1), "first");
    EXPECT_EQ(args.arg(2), "second");

    args = splitCommandLine("/A\tB", 2);
    EXPECT_EQ(args.arg(2), "B");
}

TEST(CommandLine, EmptyFieldsAreNoArguments) {
    EXPECT_EQ(splitCommandLine("", 2).count(), 0);
    EXPECT_EQ(splitCommandLine("///", 2).count(), 0);
    auto args = splitCommandLine("//A", 2);
    ASSERT_EQ(args.count(), 1);
    EXPECT_EQ(args.arg(1), "A");
    // A field of blanks is an argument, trimmed to empty.
    args = splitCommandLine("/ /x", 2);
    ASSERT_EQ(args.count(), 2);
    EXPECT_EQ(args.arg(1), "");
}

TEST(CommandLine, StopsAtTheMaximum) {
    auto args = splitCommandLine("/one/two/three", 2);
    ASSERT_EQ(args.count(), 2);
    EXPECT_EQ(args.arg(2), "two");
    EXPECT_EQ(splitCommandLine("/1/2/3/4/5/6/7/8/9/10/11/12").count(), 10);
    EXPECT_EQ(splitCommandLine("/a/b", 0).count(), 0);
}

TEST(CommandLine, AutomaticModesMatchExactly) {
    EXPECT_TRUE(splitCommandLine("/ i ", 2).automaticWrite());
    EXPECT_TRUE(splitCommandLine("/ i ", 2).automaticOnline());
    EXPECT_TRUE(splitCommandLine("/a", 2).automaticOnline());
    EXPECT_FALSE(splitCommandLine("/a", 2).automaticWrite());
    EXPECT_FALSE(splitCommandLine("/AUTO", 2).automaticOnline());
    EXPECT_FALSE(splitCommandLine("", 2).automaticOnline());
    EXPECT_EQ(splitCommandLine("", 2).arg(5), "");
}

TEST(CommandLine, SetGrowsTheListKeepingWhatItHolds) {
    auto args = splitCommandLine("/I", 2);
    args.set(2, "/srv/out");
    ASSERT_EQ(args.count(), 2);
    EXPECT_EQ(args.arg(1), "I");
    EXPECT_EQ(args.arg(2), "/srv/out");
}

#ifndef _WIN32
TEST(CommandLine, ArgvGoesByPositionAndKeepsTheFolderVerbatim) {
    const char* argv[] = {"kelmar", "/I", " /qdas/out put/ ", "/third"};
    auto args = commandLineFromArgv(4, argv, 2);
    ASSERT_EQ(args.count(), 2);
    EXPECT_EQ(args.arg(1), "I");
    EXPECT_EQ(args.arg(2), "/qdas/out put/");
    const char* rootFolder[] = {"kelmar", "/I", "/qdas"};
    EXPECT_EQ(commandLineFromArgv(3, rootFolder, 2).arg(2), "/qdas");
    const char* doubled[] = {"kelmar", "//A"};
    args = commandLineFromArgv(2, doubled, 2);
    EXPECT_EQ(args.arg(1), "A");
    EXPECT_TRUE(args.automaticOnline());
    const char* blank[] = {"kelmar", "/ i "};
    EXPECT_TRUE(commandLineFromArgv(2, blank, 2).automaticWrite());
    // Empty arguments keep their place; an empty folder is ignored by the writer.
    const char* none[] = {"kelmar", "/", ""};
    args = commandLineFromArgv(3, none, 2);
    EXPECT_EQ(args.count(), 2);
    EXPECT_FALSE(args.automaticOnline());
    EXPECT_EQ(commandLineFromArgv(1, argv, 2).count(), 0);
}
#else
TEST(CommandLine, ArgvIsJoinedAndSplitAtEverySlash) {
    // On Windows the joined line is split at every "/": its paths hold none.
    const char* argv[] = {"kelmar", "/I/C:\\q", "das\\out", "/third"};
    auto args = commandLineFromArgv(4, argv, 2);
    ASSERT_EQ(args.count(), 2);
    EXPECT_EQ(args.arg(1), "I");
    EXPECT_EQ(args.arg(2), "C:\\q das\\out");
    const char* blank[] = {"kelmar", "/ i "};
    EXPECT_TRUE(commandLineFromArgv(2, blank, 2).automaticWrite());
}
#endif

TEST(CommandLine, FirstArgumentAsksForARunTheUsageTheVersionOrIsUnknown) {
    auto request = [](const char* line) { return commandLineRequest(splitCommandLine(line, 2)); };
    EXPECT_EQ(request(""), CommandLineRequest::Run);
    EXPECT_EQ(request("/ i /C:\\out"), CommandLineRequest::Run);
    EXPECT_EQ(request("/A"), CommandLineRequest::Run);
    // An empty switch with a folder is a run by hand that exports into that folder.
    EXPECT_EQ(request("/ /C:\\out"), CommandLineRequest::Run);
    EXPECT_EQ(request("--help"), CommandLineRequest::Help);
    EXPECT_EQ(request("/?"), CommandLineRequest::Help);
    EXPECT_EQ(request("--version"), CommandLineRequest::Version);
    EXPECT_EQ(request("/AUTO"), CommandLineRequest::Unknown);
    EXPECT_EQ(request("--verbose"), CommandLineRequest::Unknown);
    EXPECT_EQ(unknownArgumentText("X").find('\n'), std::string::npos);
    for (const char* shown : {"/A", "/I", "--version", "KELMAR_HOME", "ORVELAN_SIM", "KELMAR_UNATTENDED"})
        EXPECT_NE(usageText().find(shown), std::string::npos) << shown;
}
