#include "gui/portfolio/brokerslistdialog.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/portfolio/holdingentrydialog.h"
#include "gui/portfolio/lotdialog.h"
#include "gui/portfolio/profitcalculatordialog.h"
#include "gui/store/companysearchresultdialog.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>

#include <tuple>

namespace {
QStringList names(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList cells(const QTableWidget *table)
{
    QStringList out;
    for (int row = 0; row < table->rowCount(); ++row)
        out << table->item(row, 0)->text() + " x " + table->item(row, 1)->text();
    return out;
}

void click(QWidget *dialog, const char *id)
{
    control<QPushButton>(dialog, id)->click();
}

bool same(const HoldingEntry &a, const HoldingEntry &b)
{
    const auto fields = [](const HoldingEntry &e) {
        return std::tie(e.companyName, e.exchange, e.symbol, e.brokerId, e.kind, e.lots);
    };
    return fields(a) == fields(b);
}

// Fills "Configure A Broker" and presses OK.
void configure(ConfigureBrokerDialog *d, const QString &name, const char *rate = nullptr,
               const QString &value = {})
{
    typeInto(d, "brokerName", name);
    if (rate)
        typeInto(d, rate, value);
    click(d, "ok");
}
} // namespace

// The portfolio's dialogs on a real database: the brokers, a holding's lots and the profit
// calculator, driven as a user would.
class PortfolioDialogsTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    bool sql(const QString &statement)
    {
        QSqlQuery query(bed.ctx->database.connection().database());
        return query.exec(statement);
    }
    std::vector<BrokerEntry> brokers() { return bed.ctx->database.brokers().loadAll().value(); }
    long addBroker(const std::string &name)
    {
        BrokerEntry broker = newBroker();
        broker.name = name;
        bed.ctx->database.brokers().insert(broker);
        return brokers().back().id;
    }

private slots:
    void initTestCase()
    {
        bed.context();
        QVERIFY(bed.openDatabase());
    }
    void init()
    {
        bed.messenger = RecordingMessenger();
        QVERIFY(sql("DELETE FROM BROKERLIST") && sql("DELETE FROM TRADES"));
    }

    void brokersAreAddedEditedAndDeletedAsStored()
    {
        QVERIFY(sql("ALTER TABLE BROKERLIST RENAME TO AWAY"));
        whenModal<BrokersListDialog>([](BrokersListDialog *d) { click(d, "close"); });
        BrokersListDialog::run(*bed.ctx, nullptr);
        QVERIFY(sql("ALTER TABLE AWAY RENAME TO BROKERLIST"));
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{BrokerBook::LoadFailedMessage});

        whenModal<BrokersListDialog>([this](BrokersListDialog *d) {
            auto *list = control<QListWidget>(d, "brokerList");
            whenModal<ConfigureBrokerDialog>([](ConfigureBrokerDialog *c) {
                QCOMPARE(control<QLineEdit>(c, "deliveryBuyST")->text(), "12.36");
                QCOMPARE(control<QLineEdit>(c, "intradaySellSTT")->text(), "0.025");
                configure(c, "  Shah's Broking ", "intradaySellOthers", "0.5");
            });
            click(d, "addNew");
            QCOMPARE(names(list), QStringList{"Shah's Broking"});

            // Refusals keep the dialog open with what was typed, and store nothing.
            whenModal<ConfigureBrokerDialog>([this](ConfigureBrokerDialog *c) {
                configure(c, "Shah's Broking");
                QCOMPARE(bed.messenger.shown.back(),
                         BrokerBook::duplicateMessage("Shah's Broking"));
                configure(c, "   ");
                QCOMPARE(bed.messenger.shown.back(), BrokerBook::BlankNameMessage);
                configure(c, QString(256, QLatin1Char('b')));
                QCOMPARE(bed.messenger.shown.back(), BrokerBook::LongNameMessage);
                configure(c, "Zerodha", "deliverySellBrokerage", "1,5");
                QCOMPARE(bed.messenger.shown.back(), "Please enter a number.");
                configure(c, "Zerodha", "deliverySellBrokerage", "100.5");
                QCOMPARE(bed.messenger.shown.back(), "Please enter a number between 0 and 100.");
                QVERIFY(c->isVisible());
                QCOMPARE(control<QLineEdit>(c, "brokerName")->text(), "Zerodha");
                click(c, "cancel");
            });
            click(d, "addNew");
            QCOMPARE(brokers().size(), 1u);

            click(d, "edit");
            QCOMPARE(bed.messenger.shown.back(), BrokerBook::NothingToEditMessage);
            list->setCurrentRow(0);
            whenModal<ConfigureBrokerDialog>([](ConfigureBrokerDialog *c) {
                QCOMPARE(control<QLineEdit>(c, "brokerName")->text(), "Shah's Broking");
                QCOMPARE(control<QLineEdit>(c, "intradaySellOthers")->text(), "0.5");
                configure(c, "Mehta Securities", "deliveryBuyBrokerage", "0.5");
            });
            click(d, "edit");
            QCOMPARE(names(list), QStringList{"Mehta Securities"});
            QCOMPARE(brokers().front().rates[DeliveryBuyBrokerage], 0.5);
            QCOMPARE(brokers().front().rates[IntradaySellOthers], 0.5);

            // In use by an intraday lot: refused without a question; unused: gone.
            bed.ctx->database.profile().insert(
                {"Infosys Limited", "NSE", "INFY", 1, 1500, 10, brokers().front().id});
            list->setCurrentRow(0);
            click(d, "delete");
            QCOMPARE(bed.messenger.shown.back(), BrokerBook::InUseMessage);
            QCOMPARE(names(list), QStringList{"Mehta Securities"});
            QVERIFY(sql("DELETE FROM TRADES"));
            list->setCurrentRow(0);
            click(d, "delete");
            QCOMPARE(list->count(), 0);
            QVERIFY(brokers().empty());
            click(d, "delete");
            QCOMPARE(bed.messenger.shown.back(), BrokerBook::NothingToDeleteMessage);
            click(d, "close");
        });
        BrokersListDialog::run(*bed.ctx, nullptr);
    }

    void aNewHoldingIsSearchedGivenLotsAndHandedToSave()
    {
        addBroker("Alpha");
        const long beta = addBroker("Beta");
        std::vector<HoldingEntry> saved;
        const auto save = [&](const HoldingEntry &entry) {
            saved.push_back(entry);
            return saved.size() > 1; // the first save fails
        };
        whenModal<HoldingEntryDialog>([&](HoldingEntryDialog *d) {
            QCOMPARE(d->windowTitle(), "Add/Edit Profile Stocks:: DELIVERY");
            auto *broker = control<QComboBox>(d, "broker");
            QCOMPARE(broker->currentText(), "Alpha");

            // Enter in the search text searches, and does not end the dialog.
            typeInto(d, "searchText", "tata steel");
            whenModal<CompanySearchResultDialog>([](CompanySearchResultDialog *r) {
                pickRow(control<QListView>(r, "resultList"), 0);
                click(r, "ok");
            });
            QTest::keyClick(control<QLineEdit>(d, "searchText"), Qt::Key_Return);
            QCOMPARE(control<QLabel>(d, "companyName")->text(), "Tata Steel Limited");

            whenModal<LotDialog>([this](LotDialog *l) {
                QCOMPARE(control<QLabel>(l, "companyName")->text(), "Tata Steel Limited");
                typeInto(l, "shares", "1e2");
                click(l, "ok");
                QCOMPARE(bed.messenger.shown.back(), "Please enter an integer.");
                typeInto(l, "shares", "100");
                click(l, "ok"); // the form's rules are core's: one of them shows the wiring
                QCOMPARE(bed.messenger.shown.back(), HoldingForm::ZeroLotMessage);
                typeInto(l, "price", " 250.5");
                click(l, "ok");
            });
            click(d, "addLot");
            whenModal<LotDialog>([](LotDialog *l) {
                typeInto(l, "shares", "50");
                typeInto(l, "price", "240");
                click(l, "ok");
            });
            click(d, "addLot");
            auto *lots = control<QTableWidget>(d, "lotList");
            QCOMPARE(cells(lots), (QStringList{"250.50 x 100", "240.00 x 50"}));

            broker->setCurrentIndex(1);
            click(d, "ok");
            QVERIFY(d->isVisible());
            QCOMPARE(cells(lots).size(), 2);
            click(d, "ok");
        });
        const auto entry = HoldingEntryDialog::ask(*bed.ctx, {}, save, nullptr);
        const HoldingEntry expected{
            "Tata Steel Limited",
            "NSE",
            "TATASTEEL",
            beta,
            TradeKind::Delivery,
            {{250.5, 100, "2026-12-04"}, {240, 50, "2026-12-04"}}}; // bought today by the clock
        QVERIFY(entry.has_value());
        QVERIFY(same(*entry, expected));
        QCOMPARE(saved.size(), 2u);
        QVERIFY(same(saved.front(), expected));
        QCOMPARE(bed.messenger.count(HoldingForm::NoLotsMessage), 0);
        QVERIFY(bed.ctx->database.profile().loadAll().value().empty());
    }

    void anEditShowsTheStoredLotsOfItsKindAndKeepsTheirNumber()
    {
        addBroker("Alpha");
        const long beta = addBroker("Beta");
        auto &profile = bed.ctx->database.profile();
        profile.insert({"Infosys Limited", "NSE", "INFY", 0, 1400, 5, beta});
        profile.insert({"Infosys Limited", "NSE", "INFY", 1, 1500.25, 10, beta});
        profile.insert({"Infosys Limited", "NSE", "INFY", 1, 1510, 20, beta});
        whenModal<HoldingEntryDialog>([](HoldingEntryDialog *d) {
            QCOMPARE(d->windowTitle(), "Add/Edit Profile Stocks:: INTRADAY");
            for (const char *id : {"searchText", "search", "nse", "bse", "addLot", "deleteLot"})
                QVERIFY2(!control<QWidget>(d, id)->isEnabled(), id);
            QCOMPARE(control<QComboBox>(d, "broker")->currentText(), "Beta");
            auto *lots = control<QTableWidget>(d, "lotList");
            QCOMPARE(cells(lots), (QStringList{"1500.25 x 10", "1510.00 x 20"}));
            lots->selectRow(1);
            whenModal<LotDialog>([](LotDialog *l) {
                QCOMPARE(control<QLineEdit>(l, "price")->text(), "1510");
                typeInto(l, "shares", "25");
                click(l, "ok");
            });
            click(d, "editLot");
            click(d, "ok");
        });
        const auto entry = HoldingEntryDialog::ask(
            *bed.ctx, {"Infosys Limited", "NSE", "INFY", beta, true, TradeKind::Intraday},
            [](const HoldingEntry &) { return true; }, nullptr);
        QVERIFY(entry.has_value());
        QCOMPARE(entry->lots, (std::vector<LotValues>{{1500.25, 10}, {1510, 25}}));
        QCOMPARE(entry->brokerId, beta);
    }

    void theCalculatorAnswersForTheChosenBrokerAndKind()
    {
        // No broker: said once, then every rate is 0.
        whenModal<ProfitCalculatorDialog>([this](ProfitCalculatorDialog *d) {
            QCOMPARE(bed.messenger.shown,
                     std::vector<std::string>{ProfitCalculator::NoBrokerMessage});
            QCOMPARE(control<QLabel>(d, "q1Result")->text(), QString());
            typeInto(d, "q1Shares", "100");
            typeInto(d, "q1AverageCost", "50");
            typeInto(d, "q1Gain", "250");
            click(d, "q1Calculate");
            QCOMPARE(control<QLabel>(d, "q1Result")->text(), "52.50");
            click(d, "close");
        });
        ProfitCalculatorDialog::run(*bed.ctx, nullptr);

        addBroker("Alpha");
        bed.messenger = RecordingMessenger();
        whenModal<ProfitCalculatorDialog>([this](ProfitCalculatorDialog *d) {
            auto *q1 = control<QLabel>(d, "q1Result");
            auto *q2 = control<QLabel>(d, "q2Result");
            QCOMPARE(q1->text(), "0.00");
            QCOMPARE(q2->text(), "0.00");
            QVERIFY(q1->font().bold());
            QCOMPARE(q1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            typeInto(d, "q1Shares", "100");
            typeInto(d, "q1AverageCost", "100");
            typeInto(d, "q1Gain", "1000");
            typeInto(d, "q2Shares", "100");
            typeInto(d, "q2AverageCost", "100");
            typeInto(d, "q2SellingPrice", "120");
            control<QRadioButton>(d, "intraday")->click();
            // Intraday: 0.8427 a share and no transaction tax on buying; 0.025% on selling.
            QCOMPARE(q1->text(), "110.87");
            QCOMPARE(q2->text(), "1,912.73");

            // Each answer takes every value first: a wrong one anywhere stops it.
            typeInto(d, "q2SellingPrice", "-1");
            click(d, "q1Calculate");
            QCOMPARE(bed.messenger.shown,
                     std::vector<std::string>{"Please enter a number between 0 and 10000."});
            control<QRadioButton>(d, "delivery")->click();
            QCOMPARE(q1->text(), "110.87");
            click(d, "close");
        });
        ProfitCalculatorDialog::run(*bed.ctx, nullptr);
    }
};

QTEST_MAIN(PortfolioDialogsTest)
#include "portfoliodialogs_test.moc"
