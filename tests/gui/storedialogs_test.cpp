#include "core/watch/watchlistsink.h"
#include "gui/store/companysearchresultdialog.h"
#include "gui/store/newlistingdialog.h"
#include "gui/store/searchcompanydialog.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
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

QStringList names(const QListView *list)
{
    return shownNames(list);
}

int count(const QListView *list)
{
    return list->model()->rowCount();
}

} // namespace

// The company database's dialogs over the seeded company list, driven as a user would:
// "Search Company to Watch", "Company Search Result" and "Add a new Listing", which checks
// each symbol against the simulated market while the window stays usable.
class StoreDialogsTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    // Clicks Validate and waits for the verdict, checking the window while it waits.
    static void validate(NewListingDialog &d)
    {
        control<QPushButton>(&d, "validate")->click();
        QVERIFY(control<QLabel>(&d, "waiting")->isVisibleTo(&d));
        for (const char *id :
             {"companyName", "nseSymbol", "bseSymbol", "validate", "findSymbol", "add"})
            QVERIFY2(!control<QWidget>(&d, id)->isEnabled(), id);
        QVERIFY(control<QPushButton>(&d, "cancel")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!d.listing().validating(), 30000);
        QVERIFY(!control<QLabel>(&d, "waiting")->isVisibleTo(&d));
        QVERIFY(control<QWidget>(&d, "nseSymbol")->isEnabled());
    }

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
        QVERIFY(simControl(bed.sim.port(), "fault=none&latency-ms=0"));
    }

    void theSearchFollowsTypingTheExchangeAndSearch()
    {
        RecordingWatchList watchList;
        SearchCompanyDialog d(*bed.ctx, watchList);
        d.show();
        auto *list = control<QListView>(&d, "companyNames");
        testModelOf(list);
        QVERIFY(control<QRadioButton>(&d, "searchNse")->isChecked());

        typeInto(&d, "searchText", "ta");
        QCOMPARE(count(list), 0);
        QVERIFY(bed.messenger.shown.empty());
        QTest::keyClicks(control<QLineEdit>(&d, "searchText"), "ta s");
        QCOMPARE(names(list), QStringList{"Tata Steel Limited"});

        typeInto(&d, "searchText", "aarvi");
        QCOMPARE(names(list), QStringList{"Aarvi Encon Limited"});
        // Listed on NSE only: choosing BSE finds nothing, and says so.
        control<QRadioButton>(&d, "searchBse")->click();
        QCOMPARE(count(list), 0);
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{CompanySearch::NoMatchMessage});
        // Each further change that still matches nothing says it again.
        QTest::keyClicks(control<QLineEdit>(&d, "searchText"), "zz");
        QCOMPARE(bed.messenger.count(CompanySearch::NoMatchMessage), 3);

        bed.messenger = RecordingMessenger();
        typeInto(&d, "searchText", "ta");
        control<QPushButton>(&d, "search")->click();
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{CompanySearch::TooShortMessage});
        typeInto(&d, "searchText", QString());
        control<QRadioButton>(&d, "searchBse")->click(); // no text: nothing to search, nothing said
        QCOMPARE(bed.messenger.shown.size(), 1u);
    }

    void okHandsBackTheStockWithItsAlert()
    {
        RecordingWatchList watchList;
        whenModal<SearchCompanyDialog>([&](SearchCompanyDialog *d) {
            auto *ok = control<QPushButton>(d, "ok");
            auto *lower = control<QLineEdit>(d, "lowerLimit");
            QVERIFY(!lower->isEnabled() && !control<QLineEdit>(d, "upperLimit")->isEnabled());
            typeInto(d, "searchText", "tata");
            control<QRadioButton>(d, "searchBse")->click();
            ok->click();
            QCOMPARE(bed.messenger.shown.back(), std::string(WatchSearchForm::NoSelectionMessage));

            auto *list = control<QListView>(d, "companyNames");
            pickRow(list, names(list).indexOf("Tata Elxsi Limited"));
            control<QCheckBox>(d, "setAlert")->click();
            QVERIFY(lower->isEnabled());
            typeInto(d, "lowerLimit", "10");
            typeInto(d, "upperLimit", "10");
            ok->click();
            QCOMPARE(bed.messenger.shown.back(), std::string(WatchSearchForm::LimitOrderMessage));
            typeInto(d, "upperLimit", "150.5");
            QVERIFY(d->isVisible());
            // A stock the store could not take keeps the dialog open with what was typed.
            watchList.storeFails = true;
            ok->click();
            QVERIFY(d->isVisible());
            QCOMPARE(control<QLineEdit>(d, "upperLimit")->text(), QStringLiteral("150.5"));
            watchList.storeFails = false;
            ok->click();
        });
        const WatchRow tataElxsi{"Tata Elxsi Limited", "BSE", "500408", 1, 10, 150.5};
        QCOMPARE(SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr), tataElxsi);
        QCOMPARE(watchList.added, std::vector<WatchRow>{tataElxsi});

        // Without an alert the limits typed earlier are neither compared nor kept, and a
        // double click is OK.
        whenModal<SearchCompanyDialog>([](SearchCompanyDialog *d) {
            auto *alert = control<QCheckBox>(d, "setAlert");
            alert->click();
            typeInto(d, "lowerLimit", "50");
            typeInto(d, "upperLimit", "20");
            alert->click();
            QVERIFY(!control<QLineEdit>(d, "lowerLimit")->isEnabled());
            typeInto(d, "searchText", "infosys");
            auto *list = control<QListView>(d, "companyNames");
            const QRect where =
                list->visualRect(list->model()->index(names(list).indexOf("Infosys Limited"), 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where.center());
        });
        QCOMPARE(SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr),
                 (WatchRow{"Infosys Limited", "NSE", "INFY", 0, 0, 0}));

        whenModal<SearchCompanyDialog>([](SearchCompanyDialog *d) {
            typeInto(d, "searchText", "infosys");
            pickRow(control<QListView>(d, "companyNames"), 0);
            control<QPushButton>(d, "cancel")->click();
        });
        QVERIFY(!SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr).has_value());
        QCOMPARE(watchList.added.size(), 2u);
    }

    // A new listing whose NSE symbol the list knows and whose BSE symbol it lacks: both go
    // on the watch list, only the BSE symbol is stored, and the search dialog ends.
    void aNewListingGoesToTheWatchListAndTheCompanyList()
    {
        QSqlQuery forget(bed.ctx->database.connection().database());
        QVERIFY(forget.exec("UPDATE CompanyList SET BSENAME = NULL WHERE NSENAME = 'RELIANCE'"));
        RecordingWatchList watchList;
        bool searchClosed = false;
        whenModal<SearchCompanyDialog>([&](SearchCompanyDialog *d) {
            whenModal<NewListingDialog>([&](NewListingDialog *n) {
                typeInto(n, "companyName", "  Reliance Industries Limited ");
                typeInto(n, "nseSymbol", "RELIANCE");
                typeInto(n, "bseSymbol", "500325");
                control<QPushButton>(n, "validate")->click();
                auto *add = control<QPushButton>(n, "add");
                QTRY_VERIFY_WITH_TIMEOUT(add->isEnabled(), 30000);
                // The watch list's store failing (it has said so) keeps the listing open,
                // stores nothing and adds nothing more.
                watchList.storeFails = true;
                add->click();
                QVERIFY(n->isVisible());
                QCOMPARE(control<QLineEdit>(n, "bseSymbol")->text(), QStringLiteral("500325"));
                QVERIFY(bed.ctx->database.companyList()
                            .searchByName("reliance industries", Exchange::Bse)
                            .value()
                            .empty());
                watchList.storeFails = false;
                add->click();
            });
            control<QPushButton>(d, "addNewListing")->click();
            searchClosed = !d->isVisible();
        });
        QVERIFY(!SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr).has_value());
        QVERIFY(searchClosed);
        QCOMPARE(watchList.added,
                 (std::vector<WatchRow>{{"Reliance Industries Limited", "NSE", "RELIANCE"},
                                        {"Reliance Industries Limited", "BSE", "500325"}}));
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{});
        auto &companies = bed.ctx->database.companyList();
        QCOMPARE(companies.searchByName("reliance industries", Exchange::Bse).value(),
                 (std::vector<CompanyRow>{{"Reliance Industries Limited", "", "500325"}}));
        QCOMPARE(companies.searchByName("reliance industries", Exchange::Nse).value(),
                 (std::vector<CompanyRow>{{"Reliance Industries Limited", "RELIANCE", ""}}));

        // Cancelling the new listing leaves the search open and adds nothing.
        whenModal<SearchCompanyDialog>([&](SearchCompanyDialog *d) {
            whenModal<NewListingDialog>(
                [](NewListingDialog *n) { control<QPushButton>(n, "cancel")->click(); });
            control<QPushButton>(d, "addNewListing")->click();
            QVERIFY(d->isVisible());
        });
        QVERIFY(!SearchCompanyDialog::ask(*bed.ctx, watchList, nullptr).has_value());
        QCOMPARE(watchList.added.size(), 2u);
    }

    void theHoldingSearchRunsOnceAsItOpensAndHandsBackNameAndSymbol()
    {
        CompanySearchResultDialog tata(*bed.ctx, "tata", Exchange::Bse);
        CompanySearchResultDialog many(*bed.ctx, "ind", Exchange::Bse);
        QCOMPARE(count(control<QListView>(&tata, "resultList")), 13);
        QCOMPARE(count(control<QListView>(&many, "resultList")), 100);
        QVERIFY(bed.messenger.shown.empty());

        CompanySearchResultDialog shortText(*bed.ctx, "ta", Exchange::Nse);
        CompanySearchResultDialog none(*bed.ctx, "aarvi", Exchange::Bse);
        QCOMPARE(bed.messenger.shown, (std::vector<std::string>{CompanySearch::TooShortMessage,
                                                                CompanySearch::NoMatchMessage}));

        whenModal<CompanySearchResultDialog>([](CompanySearchResultDialog *d) {
            auto *list = control<QListView>(d, "resultList");
            pickRow(list, names(list).indexOf("Tata Power Company Limited"));
            control<QPushButton>(d, "ok")->click();
        });
        QCOMPARE(CompanySearchResultDialog::ask(*bed.ctx, "tata", Exchange::Nse, nullptr),
                 (CompanyChoice{"Tata Power Company Limited", Exchange::Nse, "TATAPOWER"}));

        whenModal<CompanySearchResultDialog>(
            [](CompanySearchResultDialog *d) { control<QPushButton>(d, "ok")->click(); });
        QVERIFY(!CompanySearchResultDialog::ask(*bed.ctx, "tata", Exchange::Nse, nullptr));
    }

    void cancelEndsTheDialogWhileValidating()
    {
        QVERIFY(simControl(bed.sim.port(), "latency-ms=3000"));
        whenModal<NewListingDialog>([](NewListingDialog *d) {
            typeInto(d, "companyName", "Reliance Industries Limited");
            typeInto(d, "nseSymbol", "RELIANCE");
            control<QPushButton>(d, "validate")->click();
            QVERIFY(d->listing().validating());
            control<QPushButton>(d, "cancel")->click();
        });
        QVERIFY(!NewListingDialog::ask(*bed.ctx, nullptr).has_value());
        QVERIFY(bed.messenger.shown.empty());
    }

    void findSymbolOpensTheLookupPageAndAddNeedsAName()
    {
        bed.ctx->services.lookup = "http://lookup.example:8080";
        std::vector<QUrl> opened;
        whenModal<NewListingDialog>([this](NewListingDialog *d) {
            control<QPushButton>(d, "validate")->click();
            QCOMPARE(bed.messenger.shown.back(), std::string(NewListing::NoSymbolMessage));
            auto *find = control<QPushButton>(d, "findSymbol");
            typeInto(d, "companyName", "Ta");
            find->click();
            QCOMPARE(bed.messenger.shown.back(), std::string(NewListing::ShortLookupMessage));
            typeInto(d, "companyName", "Tata & Sons #1");
            find->click();

            typeInto(d, "bseSymbol", "500470");
            validate(*d);
            typeInto(d, "bseSymbol", "999999"); // what was validated is what counts
            typeInto(d, "companyName", "   ");
            control<QPushButton>(d, "add")->click();
            QCOMPARE(bed.messenger.shown.back(), std::string(NewListing::NoNameMessage));
            QVERIFY(d->isVisible());
            typeInto(d, "companyName", " Tata Steel Limited  ");
            control<QPushButton>(d, "add")->click();
        });
        const auto listing = NewListingDialog::ask(*bed.ctx, nullptr, [&](const QUrl &url) {
            opened.push_back(url);
            return true;
        });
        QCOMPARE(opened.size(), 1u);
        QCOMPARE(opened.front().toEncoded(),
                 QByteArray("http://lookup.example:8080/lookup?s=Tata%20%26%20Sons%20%231"));
        QVERIFY(listing.has_value());
        QCOMPARE(listing->companyName(), std::string("Tata Steel Limited"));
        QCOMPARE(listing->watchRows(),
                 (std::vector<WatchRow>{{"Tata Steel Limited", "BSE", "500470"}}));
        QCOMPARE(bed.messenger.shown.size(), 3u);
    }
};

QTEST_MAIN(StoreDialogsTest)
#include "storedialogs_test.moc"
