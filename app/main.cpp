#include <QApplication>
#include <QFont>

#include "app/CVornApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The metric-compatible stand-in for the Japanese UI font the layouts are measured in.
    application.setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    // Command-line arguments name no document: the application opens none, so they are ignored.
    CVornApp vorn;
    if (!vorn.InitInstance()) {
        return 1;
    }
    return application.exec();
}
