#include "gui/portfolio/brokerslistdialog.h"

#include "gui/controls/colorbutton.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"

#include <QLabel>
#include <QListWidget>

BrokersListDialog::BrokersListDialog(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_messenger(ctx.messenger), m_schedules(ctx.database.brokerSchedules()),
      m_book(ctx.database.brokers(), ctx.messenger)
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("brokersListDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(parts.units().size(191, 126));
    applyPanelStyle(this);

    parts.label(nullptr, QStringLiteral("List of Brokers"), 7, 7, 120, 8);
    m_list = parts.place(new QListWidget(this), "brokerList", 7, 18, 120, 100);
    auto *add = parts.button("addNew", QStringLiteral("Add New"), 134, 18, 50, 14);
    auto *edit = parts.button("edit", QStringLiteral("Edit"), 134, 36, 50, 14);
    auto *remove = parts.button("delete", QStringLiteral("Delete"), 134, 54, 50, 14);
    auto *close = parts.button("close", QStringLiteral("Close"), 134, 104, 50, 14);
    connect(add, &QPushButton::clicked, this, &BrokersListDialog::addNew);
    connect(edit, &QPushButton::clicked, this, &BrokersListDialog::edit);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &BrokersListDialog::edit);
    connect(remove, &QPushButton::clicked, this, &BrokersListDialog::remove);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_book.load();
    refill();
}

int BrokersListDialog::selected() const
{
    const QList<QListWidgetItem *> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : m_list->row(items.front());
}

void BrokersListDialog::refill()
{
    m_list->clear();
    for (const BrokerEntry &broker : m_book.brokers())
        m_list->addItem(QString::fromStdString(broker.name));
}

void BrokersListDialog::addNew()
{
    if (ConfigureBrokerDialog::ask(m_book, m_messenger, std::nullopt, this, &m_schedules))
        refill();
}

void BrokersListDialog::edit()
{
    const auto broker = m_book.toEdit(selected());
    if (broker && ConfigureBrokerDialog::ask(m_book, m_messenger, broker, this, &m_schedules))
        refill();
}

void BrokersListDialog::remove()
{
    if (m_book.remove(selected()))
        refill();
}

void BrokersListDialog::run(AppContext &ctx, QWidget *parent)
{
    BrokersListDialog dialog(ctx, parent);
    dialog.exec();
}
