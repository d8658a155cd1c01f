#pragma once

#include "gui/controls/dialogunits.h"

#include <QString>
#include <Qt>

class ColorButton;
class QLabel;
class QLineEdit;
class QWidget;

// Places a dialog's controls in dialog units, each named for its role so that tests
// find it. Every push button is a colour button.
class DialogParts
{
public:
    explicit DialogParts(QWidget *dialog) : m_dialog(dialog) {}

    const DialogUnits &units() const { return m_units; }

    ColorButton *button(const char *id, const QString &caption, int x, int y, int w, int h);
    QLineEdit *edit(const char *id, int x, int y, int w, int h);
    // A static text; id may be null for a text nobody changes.
    QLabel *label(const char *id, const QString &text, int x, int y, int w, int h,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    template <typename Widget>
    Widget *place(Widget *widget, const char *id, int x, int y, int w, int h)
    {
        if (id)
            widget->setObjectName(QString::fromLatin1(id));
        widget->setGeometry(m_units.rect(x, y, w, h));
        return widget;
    }

private:
    QWidget *m_dialog;
    DialogUnits m_units;
};
