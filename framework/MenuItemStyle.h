#pragma once

#include <QProxyStyle>

// The style of the frame's menus: disabled items can be highlighted too, by the mouse and by
// the keyboard, so that every item shows its prompt in the status bar. A highlighted disabled
// item is drawn with the highlight and its greyed text.
class MenuItemStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
