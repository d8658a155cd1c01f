#include "core/watch/watchlistsink.h"
#include "gui/portfolio/brokerslistdialog.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/portfolio/profitcalculatordialog.h"
#include "gui/store/companysearchresultdialog.h"
#include "gui/store/newlistingdialog.h"
#include "gui/store/searchcompanydialog.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QSqlQuery>
#include <QUrl>

namespace {
// The watch list as far as the search dialog sees it; its store fails on demand.
struct RecordingWatchList : WatchListSink
{
    AddOutcome addEntry(const WatchRow &row) override
    {
        if (storeFails)
            return AddOutcome::NotStored;
        added.push_back(row);
        return AddOutcome::Added;
    }
    std::vector<WatchRow> added;
    bool storeFails = false;
};

} // namespace

// The company list's dialogs, the new listing checked against the simulated market, and the
// portfolio's brokers and profit calculator, driven as a user would.
class StoreDialogsTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    std::string said() const { return bed.messenger.shown.back(); }
    static void click(QWidget *dialog, const char *id)
    {
        control<QAbstractButton>(dialog, id)->click();
    }
    static bool enabled(QWidget *dialog, const char *id)
    {
        return control<QWidget>(dialog, id)->isEnabled();
    }
    static QString text(QWidget *dialog, const char *id)
    {
        auto *label = qobject_cast<QLabel *>(control<QWidget>(dialog, id));
        return label ? label->text() : control<QLineEdit>(dialog, id)->text();
    }
    static void configure(ConfigureBrokerDialog *d, const QString &name, const char *rate,
                          const QString &value)
    {
        typeInto(d, "brokerName", name);
        typeInto(d, rate, value);
        click(d, "ok");
    }
    bool sql(const QString &statement)
    {
        return QSqlQuery(bed.ctx->database.connection().database()).exec(statement);
    }
    std::vector<BrokerEntry> brokers() { return bed.ctx->database.brokers().loadAll().value(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        bed.context();
        QVERIFY(bed.openDatabase());
    }
    void init()
    {
        bed.messenger = RecordingMessenger();
        bed.ctx->services.lookup = bed.sim.url();
        QVERIFY(sql("DELETE FROM BROKERLIST") && sql("DELETE FROM TRADES"));
    }

    // The search follows typing, the exchange and SEARCH; OK hands back the stock with its alert.
    void theSearchHandsBackItsStockAndANewListingIsCheckedStoredAndLookedUp()
    {
        RecordingWatchList watchList;
        whenModal<SearchCompanyDialog>([&](SearchCompanyDialog *d) {
            QVERIFY(!enabled(d, "lowerLimit") && !enabled(d, "upperLimit"));
            auto *list = control<QListView>(d, "companyNames");
            testModelOf(list);
            // Typing a short text says nothing, SEARCH says it is short.
            typeInto(d, "searchText", "ta");
            click(d, "search");
            QCOMPARE(said(), CompanySearch::TooShortMessage);

            typeInto(d, "searchText", "tata");
            click(d, "searchBse");
            click(d, "ok");
            QCOMPARE(said(), WatchSearchForm::NoSelectionMessage);
            pickRow(list, shownNames(list).indexOf("Tata Elxsi Limited"));
            click(d, "setAlert");
            typeInto(d, "lowerLimit", "10");
            typeInto(d, "upperLimit", "150.5");
            // A stock the store could not take keeps the dialog open with what was typed.
            watchList.storeFails = true;
            click(d, "ok");
            QVERIFY(d->isVisible());
            watchList.storeFails = false;
            click(d, "ok");
        });
        const WatchRow tataElxsi{"Tata Elxsi Limited", "BSE", "500408", 1, 10, 150.5};
        QCOMPARE(SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr), tataElxsi);

        // Without an alert the limits typed are neither compared nor kept; a double click is OK.
        whenModal<SearchCompanyDialog>([](SearchCompanyDialog *d) {
            click(d, "setAlert");
            typeInto(d, "lowerLimit", "50");
            typeInto(d, "upperLimit", "20");
            click(d, "setAlert");
            QVERIFY(!enabled(d, "lowerLimit"));
            typeInto(d, "searchText", "infosys");
            auto *list = control<QListView>(d, "companyNames");
            const QRect where = list->visualRect(
                list->model()->index(shownNames(list).indexOf("Infosys Limited"), 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where.center());
        });
        QCOMPARE(SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr),
                 (WatchRow{"Infosys Limited", "NSE", "INFY", 0, 0, 0}));

        whenModal<SearchCompanyDialog>([](SearchCompanyDialog *d) {
            typeInto(d, "searchText", "infosys");
            pickRow(control<QListView>(d, "companyNames"), 0);
            clickToEnd(d, "cancel");
        });
        QVERIFY(!SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr).has_value());

        // A new listing whose NSE symbol the list knows and whose BSE symbol it lacks: both go
        // on the watch list, only the BSE symbol is stored, and the search dialog ends. Nothing
        // is said on the way.
        QVERIFY(sql("UPDATE CompanyList SET BSENAME = NULL WHERE NSENAME = 'RELIANCE'"));
        auto &companies = bed.ctx->database.companyList();
        watchList.added.clear();
        bed.messenger = RecordingMessenger();
        bool searchClosed = false;
        whenModal<SearchCompanyDialog>([&](SearchCompanyDialog *d) {
            // Cancelling the new listing, even while it validates, leaves the search open.
            whenModal<NewListingDialog>([](NewListingDialog *n) {
                typeInto(n, "nseSymbol", "RELIANCE");
                click(n, "validate");
                clickToEnd(n, "cancel");
            });
            click(d, "addNewListing");
            QVERIFY(d->isVisible());
            whenModal<NewListingDialog>([&](NewListingDialog *n) {
                typeInto(n, "companyName", "  Reliance Industries Limited ");
                typeInto(n, "nseSymbol", "RELIANCE");
                typeInto(n, "bseSymbol", "500325");
                click(n, "validate");
                QTRY_VERIFY_WITH_TIMEOUT(enabled(n, "add"), 30000);
                // A failed store on the watch list (it has said so) keeps the listing open.
                watchList.storeFails = true;
                click(n, "add");
                QVERIFY(n->isVisible());
                watchList.storeFails = false;
                click(n, "add");
            });
            click(d, "addNewListing");
            searchClosed = !d->isVisible();
        });
        QVERIFY(!SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr).has_value());
        QVERIFY(searchClosed);
        QCOMPARE(watchList.added,
                 (std::vector<WatchRow>{{"Reliance Industries Limited", "NSE", "RELIANCE"},
                                        {"Reliance Industries Limited", "BSE", "500325"}}));
        QCOMPARE(companies.searchByName("reliance industries", Exchange::Bse).value(),
                 (std::vector<CompanyRow>{{"Reliance Industries Limited", "", "500325"}}));
        QCOMPARE(companies.searchByName("reliance industries", Exchange::Nse).value(),
                 (std::vector<CompanyRow>{{"Reliance Industries Limited", "RELIANCE", ""}}));
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{});

        // On its own, the listing's Find Symbol opens the lookup page and Add needs a name.
        bed.ctx->services.lookup = "http://lookup.example:8080";
        std::vector<QUrl> opened;
        whenModal<NewListingDialog>([this](NewListingDialog *d) {
            click(d, "validate");
            QCOMPARE(said(), NewListing::NoSymbolMessage);
            typeInto(d, "companyName", "Ta");
            click(d, "findSymbol");
            QCOMPARE(said(), NewListing::ShortLookupMessage);
            typeInto(d, "companyName", "Tata & Sons #1");
            click(d, "findSymbol");
            typeInto(d, "bseSymbol", "500470");
            click(d, "validate"); // the window waits for the verdict, Cancel the only way out
            QVERIFY(control<QLabel>(d, "waiting")->isVisibleTo(d) && enabled(d, "cancel"));
            for (const char *id :
                 {"companyName", "nseSymbol", "bseSymbol", "validate", "findSymbol", "add"})
                QVERIFY2(!enabled(d, id), id);
            QTRY_VERIFY_WITH_TIMEOUT(!d->listing().validating(), 30000);
            QVERIFY(!control<QLabel>(d, "waiting")->isVisibleTo(d) && enabled(d, "nseSymbol"));
            typeInto(d, "bseSymbol", "999999"); // what was validated is what counts
            typeInto(d, "companyName", "   ");
            click(d, "add");
            QCOMPARE(said(), NewListing::NoNameMessage);
            QVERIFY(d->isVisible());
            typeInto(d, "companyName", " Tata Steel Limited  ");
            click(d, "add");
        });
        const auto listing = NewListingDialog::ask(*bed.ctx, nullptr, [&](const QUrl &url) {
            opened.push_back(url);
            return true;
        });
        QCOMPARE(opened.front().toEncoded(),
                 QByteArray("http://lookup.example:8080/lookup?s=Tata%20%26%20Sons%20%231"));
        QCOMPARE(listing.value().companyName(), "Tata Steel Limited");
        QCOMPARE(listing->watchRows(),
                 (std::vector<WatchRow>{{"Tata Steel Limited", "BSE", "500470"}}));
        QCOMPARE(bed.messenger.shown.size(), 3u);

        // The holding's search runs once as its dialog opens, and no pick is no choice (the
        // holding's own dialog is the portfolio panel test's).
        CompanySearchResultDialog many(*bed.ctx, "ind", Exchange::Bse);
        QCOMPARE(shownNames(control<QListView>(&many, "resultList")).size(), 100);
        // Unlike typing in the search dialog, opening on a short text says so.
        bed.messenger = RecordingMessenger();
        CompanySearchResultDialog shortText(*bed.ctx, "ta", Exchange::Nse);
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{CompanySearch::TooShortMessage});
        whenModal<CompanySearchResultDialog>([](CompanySearchResultDialog *d) { click(d, "ok"); });
        QVERIFY(!CompanySearchResultDialog::ask(*bed.ctx, "tata", Exchange::Nse, nullptr));
    }

    // The book's rules are core's; here the list's buttons reach it with the selected row.
    void brokersAreAddedEditedAndDeletedAsStoredAndTheCalculatorUsesThem()
    {
        QVERIFY(sql("ALTER TABLE BROKERLIST RENAME TO AWAY"));
        whenModal<BrokersListDialog>([](BrokersListDialog *d) { clickToEnd(d, "close"); });
        BrokersListDialog::run(*bed.ctx, nullptr);
        QVERIFY(sql("ALTER TABLE AWAY RENAME TO BROKERLIST"));
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{BrokerBook::LoadFailedMessage});

        BrokerScheduleTable &schedules = bed.ctx->database.brokerSchedules();
        whenModal<BrokersListDialog>([&](BrokersListDialog *d) {
            auto *list = control<QListWidget>(d, "brokerList");
            whenModal<ConfigureBrokerDialog>([](ConfigureBrokerDialog *c) {
                QCOMPARE(text(c, "deliveryBuyST") + " " + text(c, "intradaySellSTT"),
                         "12.36 0.025");
                control<QCheckBox>(c, "bySchedule")->setChecked(true);
                typeInto(c, "intradayPercent", "0.03");
                typeInto(c, "intradayCap", "20");
                typeInto(c, "dpCharge", "15.34");
                configure(c, "  Shah's Broking ", "intradaySellOthers", "0.5");
            });
            click(d, "addNew");
            QCOMPARE(schedules.loadAll().value(),
                     (std::map<long, BrokerSchedule>{
                         {brokers().front().id, {{0, 0, 0}, {0.03, 0, 20}, 15.34}}}));

            // A refusal keeps the dialog open.
            whenModal<ConfigureBrokerDialog>([this](ConfigureBrokerDialog *c) {
                configure(c, "Zerodha", "deliverySellBrokerage", "100.5");
                QCOMPARE(said(), "Please enter a number between 0 and 100.");
                QVERIFY(c->isVisible());
                clickToEnd(c, "cancel");
            });
            click(d, "addNew");

            click(d, "edit");
            QCOMPARE(said(), BrokerBook::NothingToEditMessage);
            list->setCurrentRow(0);
            // An edit shows the stored rates and schedule; unticked, the schedule goes.
            whenModal<ConfigureBrokerDialog>([](ConfigureBrokerDialog *c) {
                QCOMPARE(text(c, "brokerName") + " " + text(c, "dpCharge"), "Shah's Broking 15.34");
                QVERIFY(control<QCheckBox>(c, "bySchedule")->isChecked());
                control<QCheckBox>(c, "bySchedule")->setChecked(false);
                configure(c, "Mehta Securities", "deliveryBuyBrokerage", "0.5");
            });
            click(d, "edit");
            QCOMPARE(shownNames(list), QStringList{"Mehta Securities"});
            const auto rates = brokers().front().rates;
            QVERIFY(rates[DeliveryBuyBrokerage] == 0.5 && rates[IntradaySellOthers] == 0.5);
            QVERIFY(schedules.loadAll().value().empty());

            list->setCurrentRow(0);
            click(d, "delete");
            QVERIFY(list->count() == 0 && brokers().empty());
            clickToEnd(d, "close");
        });
        BrokersListDialog::run(*bed.ctx, nullptr);

        // The calculator answers for the chosen broker and kind.
        const auto type = [](QWidget *d, const char *q, std::array<const char *, 3> values) {
            const char *ids[] = {"Shares", "AverageCost", q[1] == '1' ? "Gain" : "SellingPrice"};
            for (int i = 0; i < 3; ++i)
                typeInto(d, qPrintable(q + QString(ids[i])), values[i]);
        };
        // No broker: said once, then every rate is 0.
        whenModal<ProfitCalculatorDialog>([&](ProfitCalculatorDialog *d) {
            QCOMPARE(bed.messenger.count(ProfitCalculator::NoBrokerMessage), 1);
            QCOMPARE(text(d, "q1Result"), QString());
            type(d, "q1", {"100", "50", "250"});
            click(d, "q1Calculate");
            QCOMPARE(text(d, "q1Result"), "52.50");
        });
        ProfitCalculatorDialog::run(*bed.ctx, nullptr);

        BrokerEntry alpha = newBroker();
        alpha.name = "Alpha";
        QVERIFY(bed.ctx->database.brokers().insert(alpha).ok());
        bed.messenger = RecordingMessenger();
        whenModal<ProfitCalculatorDialog>([&](ProfitCalculatorDialog *d) {
            QCOMPARE(text(d, "q1Result") + " " + text(d, "q2Result"), "0.00 0.00");
            type(d, "q1", {"100", "100", "1000"});
            type(d, "q2", {"100", "100", "120"});
            click(d, "intraday");
            // Intraday: 0.8427 a share and no transaction tax on buying; 0.025% on selling.
            QCOMPARE(text(d, "q1Result") + " " + text(d, "q2Result"), "110.87 1,912.73");
            // Each answer takes every value first: a wrong one anywhere stops it.
            typeInto(d, "q2SellingPrice", "-1");
            click(d, "q1Calculate");
            QCOMPARE(bed.messenger.shown,
                     std::vector<std::string>{"Please enter a number between 0 and 10000."});
            click(d, "delivery");
            QCOMPARE(text(d, "q1Result"), "110.87");
            clickToEnd(d, "close");
        });
        ProfitCalculatorDialog::run(*bed.ctx, nullptr);
    }
};

QTEST_MAIN(StoreDialogsTest)
#include "storedialogs_test.moc"
