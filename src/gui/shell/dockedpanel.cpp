#include "gui/shell/dockedpanel.h"

#include "gui/controls/dialogunits.h"
#include "gui/shell/panelstyle.h"

#include <QPainter>

DockedPanel::DockedPanel(AppContext &context, QWidget *bar, int heightDlu)
    : QWidget(bar, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_context(context)
{
    applyPanelStyle(this);
    const DialogUnits du;
    m_client = new QWidget(this);
    m_client->setGeometry(QRect(QPoint(1, 1), du.size(388, heightDlu)));
    setFixedSize(m_client->size() + QSize(2, 2));
}

void DockedPanel::dockUnder(const QWidget *bar, bool topMost)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topMost) {
        const bool wasVisible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
        if (wasVisible)
            show();
    }
    const QRect frame = bar->frameGeometry();
    move(frame.left(), frame.top() + frame.height());
}

void DockedPanel::fitHeightToContents()
{
    m_client->resize(m_client->width(), m_client->sizeHint().height());
    setFixedSize(m_client->size() + QSize(2, 2));
}

void DockedPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBorder(p, rect());
}

void DockedPanel::closeAndDestroy()
{
    emit closedByUser();
    hide();
    deleteLater();
}
