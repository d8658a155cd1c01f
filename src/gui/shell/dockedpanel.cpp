#include "gui/shell/dockedpanel.h"

#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/shell/artwork.h"
#include "gui/shell/panelstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

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

QVBoxLayout *DockedPanel::titledLayout(const QString &title, const std::vector<QWidget *> &buttons)
{
    const DialogUnits du;
    auto *layout = new QVBoxLayout(m_client);
    layout->setContentsMargins(du.x(2), du.y(2), du.x(2), du.y(2));
    layout->setSpacing(du.y(2));
    auto *top = new QHBoxLayout;
    int room = m_client->width() - du.x(4);
    for (QWidget *button : buttons)
        room -= button->width() + top->spacing();
    auto *banner = new QLabel(m_client);
    banner->setFixedHeight(du.y(16));
    banner->setMinimumWidth(100);
    banner->setPixmap(artwork::titleBanner(QSize(std::max(room, 100), du.y(16)), title));
    banner->setAttribute(Qt::WA_TransparentForMouseEvents);
    top->addWidget(banner, 1);
    for (QWidget *button : buttons)
        top->addWidget(button, 0, Qt::AlignTop);
    layout->addLayout(top);
    return layout;
}

ColorButton *DockedPanel::makeButton(const QString &caption, const char *name, int widthDlu,
                                     int heightDlu)
{
    const DialogUnits du;
    auto *button = new ColorButton(caption, m_client);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(du.size(widthDlu, heightDlu));
    return button;
}
