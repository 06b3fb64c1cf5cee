#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int kUsageMistake = 2;

void Print(std::FILE* stream, const QByteArray& text) {
    std::fputs(text.constData(), stream);
}

} // namespace

CommandLine ReadCommandLine(int argc, char** argv) {
    // Only names the program in the usage; a core application needs no display. It hears
    // nothing else, or it would take its own options out of the arguments read below.
    int coreArgc = 1;
    QCoreApplication core(coreArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vorn"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows where the space of a drive goes, folder by folder."));
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The folder to show first, selected in the tree "
                                                "(default: the root of the current drive)."),
                                 QStringLiteral("[FOLDER]"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Prints this usage and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Prints the version and ends."));
    parser.addOption(help);
    parser.addOption(version);

    // Each byte becomes one character and back, so the folder is exactly the bytes given,
    // whatever their encoding.
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        arguments << QString::fromLatin1(argv[index]);
    }
    if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
        const QString mistake = parser.errorText().isEmpty()
                                    ? QStringLiteral("Only one folder can be given.")
                                    : parser.errorText();
        Print(stderr, mistake.toLatin1() + "\n\n" + parser.helpText().toLocal8Bit());
        return {kUsageMistake, std::nullopt};
    }
    if (parser.isSet(help)) {
        Print(stdout, parser.helpText().toLocal8Bit());
        return {0, std::nullopt};
    }
    if (parser.isSet(version)) {
        Print(stdout, (QCoreApplication::applicationName() + QLatin1Char(' ') +
                       QCoreApplication::applicationVersion() + QLatin1Char('\n'))
                          .toLocal8Bit());
        return {0, std::nullopt};
    }
    if (parser.positionalArguments().isEmpty()) {
        return {};
    }
    return {std::nullopt, parser.positionalArguments().first().toLatin1().toStdString()};
}
