#include "gui/portfolio/holdingentrydialog.h"

#include "gui/controls/colorbutton.h"
#include "gui/portfolio/lotdialog.h"
#include "gui/portfolio/tradedate.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/companysearchresultdialog.h"
#include "gui/store/dialogparts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

HoldingEntryDialog::HoldingEntryDialog(AppContext &ctx, const HoldingEntryRequest &request,
                                       Save save, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_form(request, ctx.messenger),
      m_brokers(ctx.database.brokers(), ctx.messenger), m_save(std::move(save))
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("holdingEntryDialog"));
    setWindowTitle(QString::fromStdString(m_form.title()));
    setFixedSize(parts.units().size(250, 200));
    applyPanelStyle(this);

    m_text = parts.edit("searchText", 7, 7, 120, 13);
    m_text->setText(QString::fromStdString(m_form.companyName()));
    auto *searchButton = parts.button("search", QStringLiteral("Search"), 132, 7, 45, 14);
    m_exchange = new QButtonGroup(this);
    for (Exchange e : {Exchange::Nse, Exchange::Bse}) {
        const QString code = QString::fromLatin1(exchangeCode(e));
        auto *radio = parts.place(new QRadioButton(code, this), e == Exchange::Nse ? "nse" : "bse",
                                  e == Exchange::Nse ? 184 : 214, 8, 28, 11);
        m_exchange->addButton(radio, int(e));
    }
    m_exchange->button(int(m_form.exchange()))->setChecked(true);
    m_company = parts.label("companyName", QString(), 7, 26, 236, 9);

    parts.label(nullptr, QStringLiteral("Broker"), 7, 44, 30, 8);
    m_broker = parts.place(new QComboBox(this), "broker", 40, 42, 137, 13);
    m_lots = parts.place(new QTableWidget(0, 2, this), "lotList", 7, 60, 176, 112);
    m_lots->setHorizontalHeaderLabels(
        {QStringLiteral("Buying Price"), QStringLiteral("No of Shares")});
    m_lots->verticalHeader()->hide();
    m_lots->setColumnWidth(0, 112);
    m_lots->setColumnWidth(1, 111);
    m_lots->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lots->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lots->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *add = parts.button("addLot", QStringLiteral("Add"), 190, 60, 53, 14);
    auto *edit = parts.button("editLot", QStringLiteral("Edit"), 190, 78, 53, 14);
    auto *remove = parts.button("deleteLot", QStringLiteral("Delete"), 190, 96, 53, 14);
    auto *ok = parts.button("ok", QStringLiteral("OK"), 133, 180, 50, 14);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 193, 180, 50, 14);
    // No default button: Enter in the search text searches, and only that.
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);

    connect(m_text, &QLineEdit::returnPressed, this, &HoldingEntryDialog::search);
    connect(searchButton, &QPushButton::clicked, this, &HoldingEntryDialog::search);
    connect(m_exchange, &QButtonGroup::idClicked, this, &HoldingEntryDialog::exchangeClicked);
    connect(add, &QPushButton::clicked, this, &HoldingEntryDialog::addLot);
    connect(edit, &QPushButton::clicked, this, &HoldingEntryDialog::editLot);
    connect(m_lots, &QTableWidget::cellDoubleClicked, this, &HoldingEntryDialog::editLot);
    connect(remove, &QPushButton::clicked, this, &HoldingEntryDialog::deleteLot);
    connect(ok, &QPushButton::clicked, this, &HoldingEntryDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (m_form.editing()) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_text, searchButton, add, remove})
            w->setEnabled(false);
        for (QAbstractButton *radio : m_exchange->buttons())
            radio->setEnabled(false);
        m_form.loadLots(ctx.database.profile());
    }
    m_brokers.load();
    for (const BrokerEntry &broker : m_brokers.brokers())
        m_broker->addItem(QString::fromStdString(broker.name));
    m_broker->setCurrentIndex(m_form.initialBroker(m_brokers.brokers()));
    showCompany();
    showLots();
}

void HoldingEntryDialog::showCompany()
{
    m_company->setText(QString::fromStdString(m_form.companyName()));
}

void HoldingEntryDialog::showLots()
{
    const auto &lots = m_form.lots();
    m_lots->setRowCount(int(lots.size()));
    for (int row = 0; row < int(lots.size()); ++row) {
        const LotValues &lot = lots[std::size_t(row)];
        const QString cells[] = {QString::asprintf("%.2f", lot.price),
                                 QString::asprintf("%ld", lot.shares)};
        for (int column = 0; column < 2; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignCenter);
            m_lots->setItem(row, column, item);
        }
    }
    m_lots->clearSelection();
}

int HoldingEntryDialog::selectedLot() const
{
    const QModelIndexList rows = m_lots->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void HoldingEntryDialog::search()
{
    const std::string text = m_text->text().toStdString();
    if (!m_form.maySearch(text))
        return;
    const auto choice = CompanySearchResultDialog::ask(m_ctx, text, m_form.exchange(), this);
    if (!choice)
        return;
    m_form.companyFound(choice->companyName, choice->symbol);
    showCompany();
}

void HoldingEntryDialog::exchangeClicked(int exchange)
{
    if (m_form.chooseExchange(Exchange(exchange))) {
        showCompany();
        showLots();
    }
}

void HoldingEntryDialog::addLot()
{
    if (!m_form.mayAddLot())
        return;
    const QString company = QString::fromStdString(m_form.companyName());
    LotValues fresh;
    fresh.date = todayText(m_ctx).toStdString();
    if (const auto lot = LotDialog::ask(m_ctx.messenger, company, fresh, this)) {
        m_form.addLot(*lot);
        showLots();
    }
}

void HoldingEntryDialog::editLot()
{
    const int position = selectedLot();
    if (!m_form.mayEditLot(position))
        return;
    const QString company = QString::fromStdString(m_form.companyName());
    const LotValues current = m_form.lots()[std::size_t(position)];
    if (const auto lot = LotDialog::ask(m_ctx.messenger, company, current, this)) {
        m_form.replaceLot(position, *lot);
        showLots();
    }
}

void HoldingEntryDialog::deleteLot()
{
    if (m_form.deleteLot(selectedLot()))
        showLots();
}

void HoldingEntryDialog::accept()
{
    const int broker = m_broker->currentIndex();
    std::optional<long> brokerId;
    if (broker >= 0 && std::size_t(broker) < m_brokers.brokers().size())
        brokerId = m_brokers.brokers()[std::size_t(broker)].id;
    auto entry = m_form.accept(brokerId);
    // A failed save has shown its error; what the user entered stays for another try.
    if (!entry || !m_save(*entry))
        return;
    m_entry = std::move(entry);
    QDialog::accept();
}

std::optional<HoldingEntry> HoldingEntryDialog::ask(AppContext &ctx,
                                                    const HoldingEntryRequest &request, Save save,
                                                    QWidget *parent)
{
    HoldingEntryDialog dialog(ctx, request, std::move(save), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.entry();
}
