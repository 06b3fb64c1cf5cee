#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "resources/Resources.h"

namespace {

constexpr unsigned kApplicationIcon = 128;

} // namespace

// Writes the application icon at each size given, in the layout of an icon theme:
// vorn-render-icon FOLDER SIZE... writes FOLDER/<size>x<size>/apps/vorn.png.
int main(int argc, char** argv) {
    // Drawing needs no screen: the build runs this where there may be none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: vorn-render-icon FOLDER SIZE...\n", stderr);
        return 2;
    }
    for (const QString& sizeText : arguments.mid(2)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        if (!isNumber || size <= 0 || !QDir().mkpath(folder) ||
            !resources::RenderIcon(kApplicationIcon, size).save(folder + "/vorn.png")) {
            std::fprintf(stderr, "vorn-render-icon: cannot write the %s px icon\n",
                         qPrintable(sizeText));
            return 1;
        }
    }
    return 0;
}
