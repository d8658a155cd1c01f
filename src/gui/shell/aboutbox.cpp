#include "gui/shell/aboutbox.h"

#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/shell/artwork.h"
#include "gui/shell/panelstyle.h"

#include <QFrame>
#include <QLabel>

AboutBox::AboutBox(const QString &serviceLine, QWidget *parent) : QDialog(parent)
{
    const DialogUnits du;
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(du.size(255, 153));
    applyPanelStyle(this);

    auto *icon = new QLabel(this);
    icon->setPixmap(artwork::appIcon().pixmap(32, 32));
    icon->setGeometry(du.x(7), du.y(7), 32, 32);

    auto *name = new QLabel(QStringLiteral("Vantrel !"), this);
    name->move(du.x(101), du.y(16));

    // One ampersand, shown as it is.
    auto *notice =
        new QLabel(QStringLiteral("Yahoo! Finance is registered Trademark(R) or trademarks of \n"
                                  "        Yahoo! in the USA,Canada,India & other countries."),
                   this);
    notice->setGeometry(du.rect(34, 100, 195, 19));

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(du.rect(35, 58, 184, 26));

    auto *service = new QLabel(serviceLine, this);
    service->setObjectName(QStringLiteral("serviceLine"));
    service->setAlignment(Qt::AlignCenter);
    service->setGeometry(du.rect(38, 69, 178, 9));
    service->setMinimumHeight(fontMetrics().height());

    auto *ok = new ColorButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(du.rect(107, 132, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
