#pragma once

#include <QFont>
#include <QRect>

struct DialogTemplate;

// Turns dialog units into pixels for one font: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height. Pixels are rounded to the
// nearest, halves up.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The template's font, with the faces the templates name resolved to installed ones.
    static QFont TemplateFont(const DialogTemplate& dialogTemplate);

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(int x, int y, int cx, int cy) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
