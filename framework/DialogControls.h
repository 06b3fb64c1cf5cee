#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <map>

struct DialogTemplate;
class QWidget;

// The controls of a dialog template built on a host widget (a dialog or a form pane), placed
// in pixels from the template font, and found again by id. The host takes the template font.
class DialogControls {
public:
    DialogControls(const DialogTemplate& dialogTemplate, QWidget* host);

    // The template's size in pixels.
    QSize Size() const { return m_size; }
    // The template's size, grown to take in the controls that have grown past its edges.
    QSize Extent() const;
    // Null for an id the template does not have.
    QWidget* Item(int id) const;
    // Shows the text in the static `id` exactly: no markup, no mnemonics. A sunken figure box
    // widens to the left, and past the host's edge to the right, rather than cut a number; any
    // other static keeps its size and cuts what does not fit. A static with a spoken caption
    // is named to screen readers by the caption and the text together.
    void SetText(int id, const QString& text) const;

private:
    // The sunken boxes placed one under another at `place`'s left and width form a column of
    // figures: they all take the width the longest figure needs, so their edges stay in line.
    void FitColumn(const QRect& place) const;

    std::map<int, QWidget*> m_items;
    std::map<int, QRect> m_places;
    std::map<int, QString> m_spokenCaptions;
    QSize m_size;
};
