#include "core/common/clock.h"
#include "core/watch/watchlistsink.h"
#include "gui/shell/appcontext.h"
#include "gui/store/companysearchresultdialog.h"
#include "gui/store/newlistingdialog.h"
#include "gui/store/searchcompanydialog.h"
#include "support/dialogdriver.h"
#include "support/recordingmessenger.h"
#include "support/testsim.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The watch list as far as the search dialog sees it.
struct RecordingWatchList : WatchListSink
{
    void addEntry(const WatchRow &row) override { added.push_back(row); }
    std::vector<WatchRow> added;
};

QStringList names(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

// The two company search dialogs over the seeded company list, driven as a user would.
class CompanySearchDialogsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSim m_sim;
    RecordingMessenger m_messenger;
    FixedClock m_clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    std::unique_ptr<AppContext> m_ctx;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_sim.startWith(), qPrintable(m_sim.errorText()));
        ServiceUrls services;
        services.quote = services.lookup = m_sim.url();
        m_ctx = std::make_unique<AppContext>(services, m_messenger, m_clock);
        const StoreStatus opened = m_ctx->database.open(
            resolveStoreConfig({}, m_dir.filePath(QStringLiteral("CompanyList.sqlite")), {}));
        QVERIFY2(opened.ok(), opened.error().c_str());
    }
    void init() { m_messenger = RecordingMessenger(); }

    void theSearchFollowsTypingTheExchangeAndSearch()
    {
        RecordingWatchList watchList;
        SearchCompanyDialog d(*m_ctx, watchList);
        d.show();
        auto *list = control<QListWidget>(&d, "1017");
        QVERIFY(control<QRadioButton>(&d, "1019")->isChecked());

        typeInto(&d, "1018", QStringLiteral("ta"));
        QCOMPARE(list->count(), 0);
        QVERIFY(m_messenger.shown.empty());
        QTest::keyClicks(control<QLineEdit>(&d, "1018"), QStringLiteral("ta s"));
        QCOMPARE(names(list), QStringList{QStringLiteral("Tata Steel Limited")});

        typeInto(&d, "1018", QStringLiteral("aarvi"));
        QCOMPARE(names(list), QStringList{QStringLiteral("Aarvi Encon Limited")});
        // Listed on NSE only: choosing BSE finds nothing, and says so.
        control<QRadioButton>(&d, "1020")->click();
        QCOMPARE(list->count(), 0);
        QCOMPARE(m_messenger.shown, std::vector<std::string>{CompanySearch::NoMatchMessage});
        // Each further change that still matches nothing says it again.
        QTest::keyClicks(control<QLineEdit>(&d, "1018"), QStringLiteral("zz"));
        QCOMPARE(m_messenger.count(CompanySearch::NoMatchMessage), 3);

        m_messenger = RecordingMessenger();
        typeInto(&d, "1018", QStringLiteral("ta"));
        control<QPushButton>(&d, "1021")->click();
        control<QRadioButton>(&d, "1019")->click();
        QCOMPARE(m_messenger.count(CompanySearch::TooShortMessage), 2);
        typeInto(&d, "1018", QString());
        control<QRadioButton>(&d, "1020")->click(); // no text: nothing to search, nothing said
        QCOMPARE(m_messenger.shown.size(), 2u);
        typeInto(&d, "1018", QStringLiteral("TATA"));
        QCOMPARE(list->count(), 13);
        QVERIFY(m_messenger.shown.size() == 2u);
    }

    void okHandsBackTheStockWithItsAlert()
    {
        RecordingWatchList watchList;
        whenModal<SearchCompanyDialog>([this](SearchCompanyDialog *d) {
            auto *ok = control<QPushButton>(d, "ok");
            auto *lower = control<QLineEdit>(d, "1131");
            QVERIFY(!lower->isEnabled() && !control<QLineEdit>(d, "1132")->isEnabled());
            typeInto(d, "1018", QStringLiteral("tata"));
            control<QRadioButton>(d, "1020")->click();
            ok->click();
            QCOMPARE(m_messenger.shown.back(), std::string(WatchSearchForm::NoSelectionMessage));

            auto *list = control<QListWidget>(d, "1017");
            list->setCurrentRow(names(list).indexOf(QStringLiteral("Tata Elxsi Limited")));
            control<QCheckBox>(d, "1130")->click();
            QVERIFY(lower->isEnabled());
            typeInto(d, "1131", QStringLiteral("10"));
            typeInto(d, "1132", QStringLiteral("10"));
            ok->click();
            QCOMPARE(m_messenger.shown.back(), std::string(WatchSearchForm::LimitOrderMessage));
            typeInto(d, "1132", QStringLiteral("150.5"));
            QVERIFY(d->isVisible());
            ok->click();
        });
        QCOMPARE(SearchCompanyDialog::ask(*m_ctx, watchList, nullptr),
                 (WatchRow{"Tata Elxsi Limited", "BSE", "500408", 1, 10, 150.5}));

        // Without an alert the limits typed earlier are neither compared nor kept, and a
        // double click is OK.
        whenModal<SearchCompanyDialog>([](SearchCompanyDialog *d) {
            auto *alert = control<QCheckBox>(d, "1130");
            alert->click();
            typeInto(d, "1131", QStringLiteral("50"));
            typeInto(d, "1132", QStringLiteral("20"));
            alert->click();
            QVERIFY(!control<QLineEdit>(d, "1131")->isEnabled());
            typeInto(d, "1018", QStringLiteral("infosys"));
            auto *list = control<QListWidget>(d, "1017");
            const QRect where = list->visualItemRect(
                list->item(names(list).indexOf(QStringLiteral("Infosys Limited"))));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where.center());
        });
        QCOMPARE(SearchCompanyDialog::ask(*m_ctx, watchList, nullptr),
                 (WatchRow{"Infosys Limited", "NSE", "INFY", 0, 0, 0}));

        whenModal<SearchCompanyDialog>([](SearchCompanyDialog *d) {
            typeInto(d, "1018", QStringLiteral("infosys"));
            control<QListWidget>(d, "1017")->setCurrentRow(0);
            control<QPushButton>(d, "cancel")->click();
        });
        QVERIFY(!SearchCompanyDialog::ask(*m_ctx, watchList, nullptr).has_value());
        QVERIFY(watchList.added.empty());
    }

    // A new listing whose NSE symbol the list knows and whose BSE symbol it lacks: both go
    // on the watch list, only the BSE symbol is stored, and the search dialog ends.
    void aNewListingGoesToTheWatchListAndTheCompanyList()
    {
        QSqlQuery forget(m_ctx->database.connection().database());
        QVERIFY(forget.exec(
            QStringLiteral("UPDATE CompanyList SET BSENAME = NULL WHERE NSENAME = 'RELIANCE'")));
        RecordingWatchList watchList;
        bool searchClosed = false;
        whenModal<SearchCompanyDialog>([&](SearchCompanyDialog *d) {
            whenModal<NewListingDialog>([](NewListingDialog *n) {
                typeInto(n, "1018", QStringLiteral("  Reliance Industries Limited "));
                typeInto(n, "1053", QStringLiteral("RELIANCE"));
                typeInto(n, "1054", QStringLiteral("500325"));
                control<QPushButton>(n, "1055")->click();
                auto *add = control<QPushButton>(n, "1056");
                QTRY_VERIFY_WITH_TIMEOUT(add->isEnabled(), 10000);
                add->click();
            });
            control<QPushButton>(d, "1051")->click();
            searchClosed = !d->isVisible();
        });
        QVERIFY(!SearchCompanyDialog::ask(*m_ctx, watchList, nullptr).has_value());
        QVERIFY(searchClosed);
        QCOMPARE(watchList.added,
                 (std::vector<WatchRow>{{"Reliance Industries Limited", "NSE", "RELIANCE"},
                                        {"Reliance Industries Limited", "BSE", "500325"}}));
        QCOMPARE(m_messenger.shown, std::vector<std::string>{});
        const auto bse =
            m_ctx->database.companyList().searchByName("reliance industries", Exchange::Bse);
        QCOMPARE(bse.value(),
                 (std::vector<CompanyRow>{{"Reliance Industries Limited", "", "500325"}}));
        QCOMPARE(m_ctx->database.companyList()
                     .searchByName("reliance industries", Exchange::Nse)
                     .value(),
                 (std::vector<CompanyRow>{{"Reliance Industries Limited", "RELIANCE", ""}}));

        // Cancelling the new listing leaves the search open and adds nothing.
        whenModal<SearchCompanyDialog>([&](SearchCompanyDialog *d) {
            whenModal<NewListingDialog>(
                [](NewListingDialog *n) { control<QPushButton>(n, "cancel")->click(); });
            control<QPushButton>(d, "1051")->click();
            QVERIFY(d->isVisible());
        });
        QVERIFY(!SearchCompanyDialog::ask(*m_ctx, watchList, nullptr).has_value());
        QCOMPARE(watchList.added.size(), 2u);
    }

    void theHoldingSearchRunsOnceAsItOpens()
    {
        {
            CompanySearchResultDialog d(*m_ctx, "tata", Exchange::Bse);
            auto *list = control<QListWidget>(&d, "resultList");
            QCOMPARE(list->count(), 13);
            QVERIFY(m_messenger.shown.empty());
        }
        CompanySearchResultDialog many(*m_ctx, "ind", Exchange::Bse);
        QCOMPARE(control<QListWidget>(&many, "resultList")->count(), 100);

        CompanySearchResultDialog shortText(*m_ctx, "ta", Exchange::Nse);
        CompanySearchResultDialog none(*m_ctx, "aarvi", Exchange::Bse);
        QCOMPARE(m_messenger.shown, (std::vector<std::string>{CompanySearch::TooShortMessage,
                                                              CompanySearch::NoMatchMessage}));
    }

    void theHoldingSearchHandsBackNameAndSymbol()
    {
        whenModal<CompanySearchResultDialog>([](CompanySearchResultDialog *d) {
            auto *list = control<QListWidget>(d, "resultList");
            list->setCurrentRow(names(list).indexOf(QStringLiteral("Tata Power Company Limited")));
            control<QPushButton>(d, "ok")->click();
        });
        QCOMPARE(CompanySearchResultDialog::ask(*m_ctx, "tata", Exchange::Nse, nullptr),
                 (CompanyChoice{"Tata Power Company Limited", Exchange::Nse, "TATAPOWER"}));

        whenModal<CompanySearchResultDialog>(
            [](CompanySearchResultDialog *d) { control<QPushButton>(d, "ok")->click(); });
        QVERIFY(!CompanySearchResultDialog::ask(*m_ctx, "tata", Exchange::Nse, nullptr));
    }
};

QTEST_MAIN(CompanySearchDialogsTest)
#include "companysearchdialogs_test.moc"
