#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>

namespace resources {

// An icon of one drawing made at each of the drawn ratios; null when a drawing is null.
QIcon RatioIcon(const std::function<QPixmap(qreal devicePixelRatio)>& draw);

} // namespace resources
