#include "views/PaneDescription.h"

#include <QWidget>

#include "resources/Resources.h"

void DescribePane(QWidget* control, unsigned id) {
    const QStringList parts = resources::LoadString(id).split(QLatin1Char('\n'));
    control->setAccessibleName(parts.value(0));
    control->setAccessibleDescription(parts.value(1));
}
