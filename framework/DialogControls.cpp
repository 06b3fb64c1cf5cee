#include "framework/DialogControls.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"

namespace {

constexpr int kIconSize = 32;

Qt::Alignment Alignment(DialogTemplate::Align align) {
    switch (align) {
    case DialogTemplate::Align::Centre:
        return Qt::AlignHCenter;
    case DialogTemplate::Align::Right:
        return Qt::AlignRight;
    case DialogTemplate::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Screen readers name a static by its text alone; a figure would be a bare number.
QString SpokenName(const QString& caption, const QString& text) {
    return text.isEmpty() ? caption : caption + QLatin1Char(' ') + text;
}

QWidget* MakeStatic(const DialogTemplate::Item& item, QWidget* host) {
    auto* label = new QLabel(host);
    // Names of files travel through statics: they must show as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(item.text);
    if (item.sunken) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Alignment(item.align) | Qt::AlignVCenter);
        label->setMargin(1);
    } else {
        label->setAlignment(Alignment(item.align) | Qt::AlignTop);
    }
    return label;
}

QWidget* MakeIcon(const DialogTemplate::Item& item, QWidget* host) {
    auto* label = new QLabel(host);
    label->setPixmap(item.icon.pixmap(kIconSize, kIconSize));
    return label;
}

QWidget* MakeButton(const DialogTemplate::Item& item, QWidget* host) {
    auto* button = new QPushButton(item.text, host);
    button->setDefault(item.defaultButton);
    return button;
}

QWidget* MakeProgressBar(QWidget* host) {
    auto* bar = new QProgressBar(host);
    bar->setTextVisible(false);
    return bar;
}

QWidget* MakeControl(const DialogTemplate::Item& item, QWidget* host) {
    switch (item.kind) {
    case DialogTemplate::Kind::Icon:
        return MakeIcon(item, host);
    case DialogTemplate::Kind::Button:
        return MakeButton(item, host);
    case DialogTemplate::Kind::ProgressBar:
        return MakeProgressBar(host);
    case DialogTemplate::Kind::Static:
        break;
    }
    return MakeStatic(item, host);
}

} // namespace

DialogControls::DialogControls(const DialogTemplate& dialogTemplate, QWidget* host) {
    host->setFont(DialogUnits::TemplateFont(dialogTemplate));
    const DialogUnits units(host->font());
    m_size = QSize(units.ToPixelsX(dialogTemplate.cx), units.ToPixelsY(dialogTemplate.cy));
    for (const DialogTemplate::Item& item : dialogTemplate.items) {
        QWidget* control = MakeControl(item, host);
        QRect place = units.ToPixels(item.x, item.y, item.cx, item.cy);
        // An icon control takes the size of its icon, whatever the template says.
        if (item.kind == DialogTemplate::Kind::Icon) {
            place.setSize(QSize(kIconSize, kIconSize));
        }
        control->setGeometry(place);
        if (item.id != -1) {
            m_items[item.id] = control;
            m_places[item.id] = place;
            if (!item.spokenCaption.isEmpty()) {
                m_spokenCaptions[item.id] = item.spokenCaption;
                control->setAccessibleName(SpokenName(item.spokenCaption, item.text));
            }
        }
    }
}

QSize DialogControls::Extent() const {
    QRect extent(QPoint(0, 0), m_size);
    for (const auto& [id, item] : m_items) {
        extent |= item->geometry();
    }
    return extent.size();
}

QWidget* DialogControls::Item(int id) const {
    auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second;
}

void DialogControls::SetText(int id, const QString& text) const {
    auto* label = qobject_cast<QLabel*>(Item(id));
    if (!label) {
        return;
    }
    label->setText(text);
    if (auto caption = m_spokenCaptions.find(id); caption != m_spokenCaptions.end()) {
        label->setAccessibleName(SpokenName(caption->second, text));
    }
    if (label->frameShape() != QFrame::NoFrame) {
        FitColumn(m_places.at(id));
    }
}

void DialogControls::FitColumn(const QRect& place) const {
    std::vector<std::pair<QLabel*, QRect>> column;
    int needed = 0;
    for (const auto& [id, at] : m_places) {
        auto* box = qobject_cast<QLabel*>(m_items.at(id));
        if (box && box->frameShape() != QFrame::NoFrame && at.left() == place.left() &&
            at.width() == place.width()) {
            column.emplace_back(box, at);
            needed = std::max(needed, box->sizeHint().width());
        }
    }
    const int left = std::max(0, std::min(place.left(), place.right() + 1 - needed));
    // Past the host's edge it grows to the right too, over the unit beside it.
    const int width = std::max(place.right() + 1 - left, needed);
    for (const auto& [box, at] : column) {
        box->setGeometry(left, at.top(), width, at.height());
        box->raise();
    }
}
