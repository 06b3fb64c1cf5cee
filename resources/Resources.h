#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <array>
#include <vector>

#include "framework/DialogTemplate.h"
#include "resources/MenuResource.h"

// The application's texts, menu, toolbar, dialog templates, bitmaps and icons, by the numbers of
// ResourceIds.h. An unknown number is reported (see UnknownResource.h) and gives an empty string,
// menu, toolbar or template, or a null bitmap or icon. Bitmaps, icons and templates need the
// application object.
namespace resources {

QString LoadString(unsigned id);

// "Version 1.0", as the captions and the About box write the version the build is given.
inline QString VersionText() {
    return QStringLiteral("Version " VORN_VERSION);
}
// The caption of the notices and of the progress dialog, an ideographic space after the name.
inline QString VersionCaption() {
    return QStringLiteral("Vorn　") + VersionText();
}

// The device pixel ratios our pictures are drawn for. An icon that holds a drawing for each lets
// Qt pick the sharp one for every screen instead of scaling a 1x drawing up.
inline constexpr std::array<qreal, 2> kDrawnRatios{1.0, 2.0};

// The tree's drive, closed folder and open folder, 16 x 16; the contents list's images 0 to 13,
// 32 x 16; the main toolbar's 80 x 15 strip of five buttons. Drawn for `devicePixelRatio`
// device pixels a pixel: the same size in pixels with the finer grid's detail, outlines one
// device pixel wide; at 1 the pixel art itself.
QPixmap LoadBitmap(unsigned id, qreal devicePixelRatio = 1.0);
// The bitmap drawn at each of the ratios above, as one icon.
QIcon LoadBitmapIcon(unsigned id);

// 32 x 32, drawn at each of the ratios above: the application, the document, a notice, a
// question.
QIcon LoadIcon(unsigned id);
// The same drawing at `size` x `size` pixels, for the desktop's icon sizes; null for an
// unknown number.
QImage RenderIcon(unsigned id, int size);

const MenuResource& LoadMenu(unsigned id);

// The command ids of the buttons in order, 0 for a separator. The n-th button that is not a
// separator shows the n-th 16 x 15 image of the bitmap of the same number.
const std::vector<unsigned>& LoadToolBar(unsigned id);

DialogTemplate LoadDialogTemplate(unsigned id);

} // namespace resources
