#pragma once

#include "gui/controls/scrollingband.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>

// What a person would see wrong in a window drawn at any scale: a text that does not fit the
// widget showing it, or a picture drawn for fewer pixels than the screen has.
namespace textfit {

inline QString describe(const QWidget *w, const QString &text, const QRect &need, const QRect &room)
{
    const auto box = [](const QRect &r) {
        const auto n = [](int v) { return QString::number(v); };
        return QStringLiteral("%1x%2 at (%3,%4)")
            .arg(n(r.width()), n(r.height()), n(r.x()), n(r.y()));
    };
    return QStringLiteral("%1 %2 \"%3\" needs %4, has %5")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text, box(need),
             box(room));
}

// The text laid out by the widget's own font in room, with the given flags, stays inside it.
inline void fit(QStringList &out, const QWidget *w, const QFont &font, const QRect &room, int flags,
                const QString &text)
{
    if (text.isEmpty())
        return;
    const QRect need = QFontMetrics(font).boundingRect(room, flags, text);
    if (!room.contains(need))
        out << describe(w, text, need, room);
}

inline void labelText(QStringList &out, const QLabel *label)
{
    if (label->text().isEmpty() || !label->pixmap().isNull())
        return;
    const int m = label->margin();
    const QRect room = label->contentsRect().adjusted(m, m, -m, -m);
    if (Qt::mightBeRichText(label->text())) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        doc.setHtml(label->text());
        if (label->wordWrap())
            doc.setTextWidth(room.width());
        const QSize need = doc.size().toSize();
        if (need.width() > room.width() || need.height() > room.height())
            out << describe(label, label->text(), QRect(room.topLeft(), need), room);
        return;
    }
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    fit(out, label, label->font(), room, flags, label->text());
}

inline void buttonText(QStringList &out, const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const QStyle *style = button->style();
    if (qobject_cast<const QCheckBox *>(button) || qobject_cast<const QRadioButton *>(button)) {
        const auto element = qobject_cast<const QCheckBox *>(button)
                                 ? QStyle::SE_CheckBoxContents
                                 : QStyle::SE_RadioButtonContents;
        const QRect room = style->subElementRect(element, &option, button);
        fit(out, button, button->font(), room,
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, button->text());
        return;
    }
    // A push button's caption sits centred inside its frame.
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    fit(out, button, button->font(), button->rect().adjusted(frame, frame, -frame, -frame),
        Qt::AlignCenter | Qt::TextShowMnemonic, button->text());
}

inline void editText(QStringList &out, const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect room = edit->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                           .marginsRemoved(edit->textMargins())
                           .adjusted(2, 1, -2, -1); // the edit's own margins around its text
    // Vertically, a line edit centres its line and lets descenders reach the frame.
    const QRect line(room.left(), room.top(), room.width(),
                     qMax(room.height(), QFontMetrics(edit->font()).height()));
    fit(out, edit, edit->font(), line, int(edit->alignment()), edit->text());
}

inline void headerTexts(QStringList &out, const QHeaderView *header)
{
    const QAbstractItemModel *model = header->model();
    if (!model || header->orientation() != Qt::Horizontal)
        return;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section) || header->sectionSize(section) == 0)
            continue;
        const QVariant font = model->headerData(section, Qt::Horizontal, Qt::FontRole);
        const QRect room(header->sectionViewportPosition(section) + margin, 0,
                         header->sectionSize(section) - 2 * margin, header->height());
        fit(out, header, font.isValid() ? font.value<QFont>() : header->font(), room,
            Qt::AlignCenter, model->headerData(section, Qt::Horizontal).toString());
    }
}

// The display text of every cell in the visible rows, inside the cell less the view's margins.
inline void cellTexts(QStringList &out, const QAbstractItemView *view)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect viewport = view->viewport()->rect();
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
            const QModelIndex index = model->index(row, column, view->rootIndex());
            const QRect cell = view->visualRect(index);
            if (cell.isEmpty() || !viewport.intersects(cell))
                continue;
            const QVariant font = index.data(Qt::FontRole);
            const QVariant align = index.data(Qt::TextAlignmentRole);
            fit(out, view, font.isValid() ? font.value<QFont>() : view->font(),
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
        if (auto *label = qobject_cast<QLabel *>(w))
            labelText(out, label);
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            buttonText(out, button);
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            editText(out, edit);
        else if (auto *box = qobject_cast<QGroupBox *>(w))
            fit(out, box, box->font(), box->rect().adjusted(6, 0, -6, 0),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, box->title());
        else if (auto *header = qobject_cast<QHeaderView *>(w))
            headerTexts(out, header);
        else if (auto *view = qobject_cast<QAbstractItemView *>(w))
            cellTexts(out, view);
    }
    return out;
}

// Pictures drawn by the program (a label's, a scrolling band's strip) with fewer pixels than
// the screen gives them. A picture from a service (the chart image) has the pixels it was sent.
inline QStringList blurredPictures(QWidget *window)
{
    QStringList out;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QPixmap picture = label->pixmap();
        if (picture.isNull() || !label->isVisibleTo(window) ||
            label->objectName() == QLatin1String("chartImage"))
            continue;
        if (picture.devicePixelRatio() < label->devicePixelRatio())
            out << QStringLiteral("%1 in %2")
                       .arg(label->objectName(), label->parentWidget()->objectName());
    }
    for (ScrollingBand *band : window->findChildren<ScrollingBand *>())
        if (!band->strip().isNull() && band->strip().devicePixelRatio() < band->devicePixelRatio())
            out << QStringLiteral("the strip of %1").arg(band->objectName());
    return out;
}

} // namespace textfit
