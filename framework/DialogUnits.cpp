#include "framework/DialogUnits.h"

#include <QFontMetrics>

#include "framework/DialogTemplate.h"

namespace {

// Template figures are never negative.
int MulDivRounded(int value, int numerator, int denominator) {
    return (value * numerator + denominator / 2) / denominator;
}

// The Japanese proportional gothic face the templates ask for is not installed on Linux; IPA's
// proportional gothic has the same role and near metrics.
QString InstalledFace(const QString& face) {
    if (face == QStringLiteral("ＭＳ Ｐゴシック")) {
        return QStringLiteral("IPAPGothic");
    }
    return face;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int count = static_cast<int>(letters.size());
    m_baseWidth = (metrics.horizontalAdvance(letters) + count / 2) / count;
    m_baseHeight = metrics.height();
}

QFont DialogUnits::TemplateFont(const DialogTemplate& dialogTemplate) {
    QFont font(InstalledFace(dialogTemplate.fontFace));
    font.setPointSize(dialogTemplate.pointSize);
    return font;
}

int DialogUnits::ToPixelsX(int units) const {
    return MulDivRounded(units, m_baseWidth, 4);
}

int DialogUnits::ToPixelsY(int units) const {
    return MulDivRounded(units, m_baseHeight, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    return {ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy)};
}
