#include <QApplication>
#include <QFont>

#include "app/CVornApp.h"
#include "app/CommandLine.h"

int main(int argc, char** argv) {
    // Read before any window exists: the usage and the version need no display.
    const CommandLine commandLine = ReadCommandLine(argc, argv);
    if (commandLine.exitStatus) {
        return *commandLine.exitStatus;
    }
    // Every argument is Vorn's: Qt hears only the program name, so that a folder named like one
    // of Qt's own options ("-reverse", "-style=...") is opened, not obeyed. Qt keeps a reference
    // to the count, which must outlive the application.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    // The metric-compatible stand-in for the Japanese UI font the layouts are measured in.
    application.setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    platform::Drives drives;
    CVornApp vorn(drives, commandLine.startFolder);
    if (!vorn.InitInstance()) {
        return 1;
    }
    return application.exec();
}
