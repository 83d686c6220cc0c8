#include "editor/ui/app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace keyui::app {
namespace {

constexpr char kProgramName[] = "key";
constexpr char kUsage[] = "Usage: key [OPTION]... [LAYOUT.kbf]...\n"
                          "The layout editor of the programmable point-of-sale keyboards: opens each LAYOUT\n"
                          "in a window of its own.\n\n";
constexpr char kEnvironment[] =
    "\nEnvironment:\n"
    "  KEY_LANG=de|en   the language of the editor's texts (default: German for a German\n"
    "                   locale, English otherwise)\n";

// The options the editor knows, the screenshot folder kept out of the help.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the program's version and exit.")};
    QCommandLineOption screenshots{QString::fromLatin1(kScreenshotOption + 2), QString(), QStringLiteral("FOLDER")};

    Options() { screenshots.setFlags(QCommandLineOption::HiddenFromHelp); }

    void addTo(QCommandLineParser& parser) const {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help, version, screenshots});
        parser.addPositionalArgument(QStringLiteral("LAYOUT.kbf"), QStringLiteral("Layout files to open."),
                                     QStringLiteral("[LAYOUT.kbf...]"));
    }
};

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    CommandLine line;
    line.screenshotFolder = qEnvironmentVariable(kScreenshotVariable);
    if (!parser.parse(arguments)) {
        line.problem = parser.errorText();
        return line;
    }
    line.helpWanted = parser.isSet(options.help);
    line.versionWanted = parser.isSet(options.version);
    if (parser.isSet(options.screenshots)) line.screenshotFolder = parser.value(options.screenshots);
    line.files = parser.positionalArguments();
    return line;
}

QString commandLineHelp() {
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    // The parser's own text begins with a usage line of the running program;
    // the editor's begins with its own, and the options follow.
    QString text = parser.helpText();
    const qsizetype optionsStart = text.indexOf(QStringLiteral("Options:"));
    if (optionsStart >= 0) text = text.mid(optionsStart);
    return QString::fromLatin1(kUsage) + text + QString::fromLatin1(kEnvironment);
}

QString versionLine() { return QStringLiteral("%1 %2\n").arg(QLatin1String(kProgramName), QLatin1String(KBX_VERSION)); }

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace keyui::app
