#include "main/command_line.h"

#include "version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

constexpr char kProgram[] = "quirl32";

// The options that QApplication takes for itself.
const char* const kQtValueOptions[] = {"platform",        "platformpluginpath",
                                       "platformtheme",   "plugin",
                                       "qwindowgeometry", "qwindowicon",
                                       "qwindowtitle",    "display",
                                       "geometry",        "style",
                                       "stylesheet",      "session",
                                       "qmljsdebugger"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QCommandLineOption Hidden(QCommandLineOption option) {
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

DesktopCommandLine ParseDesktopCommandLine(const QStringList& args) {
    QCommandLineParser parser;
    // -platform, -style and the like are Qt's options of one dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Quirl32 %1, an explorer of the Mandelbrot set.\n"
                       "Opens each set file in a window of its own, in the Quirl32 already\n"
                       "running if there is one.")
            .arg(QString::fromLatin1(kQuirl32Version)));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and exit."));
    const QCommandLineOption print(
        {QStringLiteral("p"), QStringLiteral("print")},
        QStringLiteral("Print the set files on the default printer, without the print dialog."));
    const QCommandLineOption printTo(
        QStringLiteral("print-to"),
        QStringLiteral("Print the set files on the printer of that name, without the print "
                       "dialog."),
        QStringLiteral("printer"));
    // The spellings of other systems' shells.
    const QCommandLineOption printToShort =
        Hidden(QCommandLineOption(QStringLiteral("pt"), QString(), QStringLiteral("printer")));
    const QCommandLineOption dde = Hidden(QCommandLineOption(QStringLiteral("dde")));
    parser.addOptions({help, version, print, printTo, printToShort, dde});
    for (const char* name : kQtValueOptions)
        parser.addOption(Hidden(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"))));
    for (const char* name : kQtFlagOptions)
        parser.addOption(Hidden(QCommandLineOption(QString::fromLatin1(name))));
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Set files (.qrl) to open, or to print."),
                                 QStringLiteral("[FILE.qrl...]"));

    // The program's own name, not the path it was started by (nor Qt's
    // placeholder when there is no application object yet).
    const QString helpText =
        QStringLiteral("Usage: %1 [options] [FILE.qrl...]\n").arg(QString::fromLatin1(kProgram)) +
        parser.helpText().section(QLatin1Char('\n'), 1);

    DesktopCommandLine line;
    if (!parser.parse(args)) {
        line.action = DesktopCommandLine::Refuse;
        line.text = QString::fromLatin1(kProgram) + QStringLiteral(": ") + parser.errorText() +
                    QLatin1Char('\n') + helpText;
        return line;
    }
    if (parser.isSet(help)) {
        line.action = DesktopCommandLine::ShowHelp;
        line.text = helpText;
        return line;
    }
    if (parser.isSet(version)) {
        line.action = DesktopCommandLine::ShowVersion;
        line.text = QStringLiteral("%1 %2\n").arg(QString::fromLatin1(kProgram),
                                                  QString::fromLatin1(kQuirl32Version));
        return line;
    }
    if (parser.isSet(dde))
        line.arguments.push_back("--dde");
    if (parser.isSet(print))
        line.arguments.push_back("--print");
    for (const QCommandLineOption* option : {&printTo, &printToShort}) {
        if (parser.isSet(*option)) {
            line.arguments.push_back("--print-to");
            line.arguments.push_back(parser.value(*option).toStdString());
        }
    }
    line.arguments.push_back("--");
    for (const QString& file : parser.positionalArguments())
        line.arguments.push_back(file.toStdString());
    return line;
}
