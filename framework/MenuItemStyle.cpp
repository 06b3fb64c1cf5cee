#include "framework/MenuItemStyle.h"

#include <QStyleOptionMenuItem>

int MenuItemStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_Menu_AllowActiveAndDisabled) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void MenuItemStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item && (item->state & State_Selected) &&
        !(item->state & State_Enabled)) {
        // Styles draw the highlight of enabled items only; the palette keeps the text grey.
        QStyleOptionMenuItem highlighted(*item);
        highlighted.state |= State_Enabled;
        QProxyStyle::drawControl(element, &highlighted, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
