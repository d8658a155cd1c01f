#pragma once

#include "gui/controls/scrollingband.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

// What a person would see wrong in a window drawn at any scale: a text that does not fit the
// widget showing it, or a picture drawn for fewer pixels than the screen has.
namespace textfit {

// The text laid out by the given font in room, with the given flags, stays inside it. No
// window shows rich text, so a label's text is measured as plain text.
inline void fit(QStringList &out, const QWidget *w, const QFont &font, const QRect &room, int flags,
                const QString &text)
{
    const QRect need = QFontMetrics(font).boundingRect(room, flags, text);
    if (!text.isEmpty() && !room.contains(need))
        out << QStringLiteral("%1 %2 \"%3\" needs %4, has %5")
                   .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text,
                        QDebug::toString(need), QDebug::toString(room));
}

// Every header section's title, and the display text of every cell in the visible rows inside
// the cell less the view's margins.
inline void viewTexts(QStringList &out, const QAbstractItemView *view)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const auto fontOf = [view](const QVariant &font) {
        return font.isValid() ? font.value<QFont>() : view->font();
    };
    if (const auto *header = qobject_cast<const QHeaderView *>(view)) {
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int s = 0; header->orientation() == Qt::Horizontal && s < header->count(); ++s)
            if (!header->isSectionHidden(s) && header->sectionSize(s) != 0)
                fit(out, header, fontOf(model->headerData(s, Qt::Horizontal, Qt::FontRole)),
                    QRect(header->sectionViewportPosition(s) + margin, 0,
                          header->sectionSize(s) - 2 * margin, header->height()),
                    Qt::AlignCenter, model->headerData(s, Qt::Horizontal).toString());
        return;
    }
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row) {
        for (int column = 0; column < model->columnCount(root); ++column) {
            const QModelIndex index = model->index(row, column, root);
            const QRect cell = view->visualRect(index);
            const QVariant align = index.data(Qt::TextAlignmentRole);
            if (!cell.isEmpty() && view->viewport()->rect().intersects(cell))
                fit(out, view, fontOf(index.data(Qt::FontRole)),
                    cell.adjusted(margin, 0, -margin, 0),
                    align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter),
                    index.data().toString());
        }
    }
}

// Every shown text in window that does not fit its widget.
inline QStringList cutTexts(QWidget *window)
{
    QStringList out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->window() != window)
            continue;
        const QStyle *style = w->style();
        if (auto *label = qobject_cast<QLabel *>(w))
            fit(out, label, label->font(), label->contentsRect(),
                int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                label->pixmap().isNull() ? label->text() : QString());
        else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text(); // no button of the program has an icon
            const bool check = qobject_cast<const QCheckBox *>(button);
            // A push button's caption sits centred inside its frame, a box's beside its mark.
            const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
            QRect room = button->rect().adjusted(frame, frame, -frame, -frame);
            int flags = Qt::AlignCenter;
            if (check || qobject_cast<const QRadioButton *>(button)) {
                room = style->subElementRect(check ? QStyle::SE_CheckBoxContents
                                                   : QStyle::SE_RadioButtonContents,
                                             &option, button);
                flags = Qt::AlignLeft | Qt::AlignVCenter;
            }
            fit(out, button, button->font(), room, flags | Qt::TextShowMnemonic, button->text());
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            QStyleOptionFrame option;
            option.initFrom(edit);
            option.lineWidth = edit->hasFrame()
                                   ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                                   : 0;
            const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(edit->textMargins())
                                   .adjusted(2, 1, -2, -1); // the edit's own margins
            // Vertically, a line edit centres its line and lets descenders reach the frame.
            fit(out, edit, edit->font(),
                QRect(room.left(), room.top(), room.width(),
                      qMax(room.height(), QFontMetrics(edit->font()).height())),
                int(edit->alignment()), edit->text());
        } else if (auto *box = qobject_cast<QGroupBox *>(w))
            fit(out, box, box->font(), box->rect().adjusted(6, 0, -6, 0),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, box->title());
        else if (auto *view = qobject_cast<QAbstractItemView *>(w))
            viewTexts(out, view);
    }
    return out;
}

// Pictures drawn by the program (a label's, a scrolling band's strip) with fewer pixels than
// the screen gives them. A picture from a service (the chart image) has the pixels it was sent.
inline QStringList blurredPictures(QWidget *window)
{
    QStringList out;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (!label->pixmap().isNull() && label->isVisibleTo(window) &&
            label->objectName() != QLatin1String("chartImage") &&
            label->pixmap().devicePixelRatio() < label->devicePixelRatio())
            out << QStringLiteral("%1 in %2")
                       .arg(label->objectName(), label->parentWidget()->objectName());
    for (ScrollingBand *band : window->findChildren<ScrollingBand *>())
        if (!band->strip().isNull() && band->strip().devicePixelRatio() < band->devicePixelRatio())
            out << QStringLiteral("the strip of %1").arg(band->objectName());
    return out;
}

} // namespace textfit
