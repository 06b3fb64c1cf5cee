#pragma once

#include <QIcon>
#include <QString>

#include <vector>

// A dialog's layout as the resources keep it: sizes and places in dialog units, which become
// pixels through the template font's metrics (see DialogUnits).
struct DialogTemplate {
    enum class Kind { Static, Icon, Button, ProgressBar };
    enum class Align { Left, Centre, Right };

    struct Item {
        int id = -1; // -1: a static that nobody addresses
        Kind kind = Kind::Static;
        int x = 0;
        int y = 0;
        int cx = 0;
        int cy = 0;
        QString text{};
        Align align = Align::Left;
        bool sunken = false;        // a static drawn as a sunken box
        bool defaultButton = false; // the button that Enter presses
        QIcon icon{};               // what an icon control shows
        QString spokenCaption{};    // said by screen readers before an addressed static's text
    };

    // Every template of ours has the position 0, 0: the dialog is centred over its owner.
    int cx = 0;
    int cy = 0;
    QString caption{};
    QString fontFace{};
    int pointSize = 0;
    bool child = false;      // the layout of a pane rather than a window of its own
    bool systemMenu = false; // a window with a close box
    std::vector<Item> items{};
};
