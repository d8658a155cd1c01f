#include "gui/store/dialogparts.h"

#include "gui/controls/colorbutton.h"

#include <QLabel>
#include <QLineEdit>

ColorButton *DialogParts::button(const char *id, const QString &caption, int x, int y, int w, int h)
{
    return place(new ColorButton(caption, m_dialog), id, x, y, w, h);
}

QLineEdit *DialogParts::edit(const char *id, int x, int y, int w, int h)
{
    return place(new QLineEdit(m_dialog), id, x, y, w, h);
}

QLabel *DialogParts::label(const char *id, const QString &text, int x, int y, int w, int h,
                           Qt::Alignment alignment)
{
    QLabel *label = place(new QLabel(text, m_dialog), id, x, y, w, h);
    label->setAlignment(alignment);
    return label;
}
