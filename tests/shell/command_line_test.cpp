// The desktop program's command line: what it makes of the arguments, and
// the help, the version and refusals of both programs, which need no display.

#include "main/command_line.h"
#include "version.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

DesktopCommandLine Parse(const QStringList& args) {
    return ParseDesktopCommandLine(QStringList{QStringLiteral("quirl32")} + args);
}

using Args = std::vector<std::string>;

struct ProgramRun {
    int code = -1;
    QString out, err;
};

// The program with no display at all: no X, no Wayland, no Qt platform.
ProgramRun RunWithoutDisplay(const char* program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QString::fromLatin1(program), args);
    ProgramRun run;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

TEST(DesktopCommandLine, FilesAndPrintRequestsReachTheApplication) {
    EXPECT_EQ(Parse({}).arguments, (Args{"--"}));
    EXPECT_EQ(Parse({"a.qrl", "b c.qrl"}).arguments, (Args{"--", "a.qrl", "b c.qrl"}));
    EXPECT_EQ(Parse({"--print", "a.qrl"}).arguments, (Args{"--print", "--", "a.qrl"}));
    EXPECT_EQ(Parse({"-p", "a.qrl"}).arguments, (Args{"--print", "--", "a.qrl"}));
    for (const QStringList& printTo : {QStringList{"--print-to", "Office Laser", "a.qrl"},
                                       QStringList{"--print-to=Office Laser", "a.qrl"},
                                       QStringList{"a.qrl", "-pt", "Office Laser"}})
        EXPECT_EQ(Parse(printTo).arguments, (Args{"--print-to", "Office Laser", "--", "a.qrl"}))
            << printTo.join(' ').toStdString();
    // After "--" a file may begin with a dash.
    EXPECT_EQ(Parse({"--", "-odd.qrl"}).arguments, (Args{"--", "-odd.qrl"}));
    // Qt's own options are QApplication's, neither files nor mistakes.
    const DesktopCommandLine qt =
        Parse({"-platform", "offscreen", "-style=fusion", "-reverse", "a.qrl"});
    EXPECT_EQ(qt.action, DesktopCommandLine::Start);
    EXPECT_EQ(qt.arguments, (Args{"--", "a.qrl"}));
}

TEST(DesktopCommandLine, MistakesAreRefusedWithTheReasonAndTheUsage) {
    for (const QStringList& wrong : {QStringList{"--frobnicate"}, QStringList{"-x", "a.qrl"},
                                     QStringList{"a.qrl", "--print-to"}}) {
        const DesktopCommandLine line = Parse(wrong);
        EXPECT_EQ(line.action, DesktopCommandLine::Refuse) << wrong.join(' ').toStdString();
        EXPECT_TRUE(line.text.startsWith(QStringLiteral("quirl32: "))) << line.text.toStdString();
        EXPECT_TRUE(line.text.section('\n', 1).startsWith(QStringLiteral("Usage: quirl32 ")))
            << line.text.toStdString();
    }
    EXPECT_EQ(Parse({"--frobnicate"}).text.section('\n', 0, 0),
              QStringLiteral("quirl32: Unknown option 'frobnicate'."));
}

TEST(DesktopCommandLine, HelpAndVersionNeedNoDisplay) {
    const ProgramRun help = RunWithoutDisplay(QUIRL32_BINARY, {"--help"});
    EXPECT_EQ(help.code, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: quirl32 [options] [FILE.qrl...]\n")))
        << help.out.toStdString();
    for (const char* option : {"--print", "--print-to <printer>", "--version", "--help"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(option))) << option;
    EXPECT_FALSE(help.out.contains(QStringLiteral("platform"))) << "Qt's options stay hidden";
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const QString version = QStringLiteral("%1\n").arg(QString::fromLatin1(kQuirl32Version));
    const ProgramRun desktop = RunWithoutDisplay(QUIRL32_BINARY, {"--version"});
    EXPECT_EQ(desktop.code, 0);
    EXPECT_EQ(desktop.out, QStringLiteral("quirl32 ") + version);
    const ProgramRun render = RunWithoutDisplay(QUIRL32_RENDER_BINARY, {"--version"});
    EXPECT_EQ(render.code, 0);
    EXPECT_EQ(render.out, QStringLiteral("quirl32-render ") + version);
}

TEST(DesktopCommandLine, AnUnknownOptionEndsWithStatusTwoBeforeAnyWindow) {
    for (const char* program : {QUIRL32_BINARY, QUIRL32_RENDER_BINARY}) {
        const ProgramRun run = RunWithoutDisplay(program, {"--frobnicate", "a.qrl"});
        EXPECT_EQ(run.code, 2) << program;
        EXPECT_TRUE(run.out.isEmpty()) << program;
        EXPECT_TRUE(run.err.contains(QStringLiteral("frobnicate"))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("--help"))) << run.err.toStdString();
    }
}
