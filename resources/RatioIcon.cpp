#include "resources/RatioIcon.h"

#include "resources/Resources.h"

namespace resources {

QIcon RatioIcon(const std::function<QPixmap(qreal devicePixelRatio)>& draw) {
    QIcon icon;
    for (qreal ratio : kDrawnRatios) {
        const QPixmap drawing = draw(ratio);
        if (drawing.isNull()) {
            return {};
        }
        icon.addPixmap(drawing);
    }
    return icon;
}

} // namespace resources
