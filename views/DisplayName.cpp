#include "views/DisplayName.h"

#include "measure/EscapedName.h"

QString DisplayName(std::string_view bytes) {
    return QString::fromStdString(measure::EscapedName(bytes));
}
