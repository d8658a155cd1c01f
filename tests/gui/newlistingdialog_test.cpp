#include "core/common/clock.h"
#include "gui/shell/appcontext.h"
#include "gui/store/newlistingdialog.h"
#include "support/dialogdriver.h"
#include "support/recordingmessenger.h"
#include "support/testsim.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace {
QString text(QWidget *dialog, const char *id)
{
    return control<QLabel>(dialog, id)->text();
}
} // namespace

// "Add a new Listing" against the simulated market: each symbol is judged by its own reply
// line, the window stays usable while the answer travels, and only a passed symbol may be added.
class NewListingDialogTest : public QObject
{
    Q_OBJECT
    TestSim m_sim;
    RecordingMessenger m_messenger;
    FixedClock m_clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};

    std::unique_ptr<AppContext> context(const std::string &quote)
    {
        ServiceUrls services;
        services.quote = quote;
        services.lookup = "http://lookup.example:8080";
        return std::make_unique<AppContext>(services, m_messenger, m_clock);
    }

    // Clicks Validate and waits for the verdict, checking the window while it waits.
    static void validate(NewListingDialog &d)
    {
        control<QPushButton>(&d, "1055")->click();
        QVERIFY(control<QLabel>(&d, "waiting")->isVisibleTo(&d));
        for (const char *id : {"1018", "1053", "1054", "1055", "1059", "1056"})
            QVERIFY2(!control<QWidget>(&d, id)->isEnabled(), id);
        QVERIFY(control<QPushButton>(&d, "cancel")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!d.listing().validating(), 10000);
        QVERIFY(!control<QLabel>(&d, "waiting")->isVisibleTo(&d));
        QVERIFY(control<QWidget>(&d, "1053")->isEnabled());
    }

private slots:
    void initTestCase() { QVERIFY2(m_sim.startWith(), qPrintable(m_sim.errorText())); }
    void init() { m_messenger = RecordingMessenger(); }

    void eachSymbolIsJudgedAndAddFollowsTheLastVerdict()
    {
        auto ctx = context(m_sim.url());
        NewListingDialog d(*ctx);
        d.show();
        auto *add = control<QPushButton>(&d, "1056");
        QVERIFY(!add->isEnabled());
        QCOMPARE(text(&d, "1057"), QStringLiteral("Validation Result"));
        control<QPushButton>(&d, "1055")->click();
        QCOMPARE(m_messenger.shown, std::vector<std::string>{NewListing::NoSymbolMessage});

        typeInto(&d, "1053", QStringLiteral(" RELIANCE "));
        typeInto(&d, "1054", QStringLiteral("999999")); // no such BSE code: its fields are N/A
        validate(d);
        QCOMPARE(text(&d, "1057"), QStringLiteral("NSE Name Validation PASSED"));
        QCOMPARE(text(&d, "1058"), QStringLiteral("BSE Name Validation FAILED"));
        QVERIFY(add->isEnabled());

        // A good symbol changed to a bad one takes "Add" away again.
        typeInto(&d, "1053", QStringLiteral("NOSUCHCO"));
        typeInto(&d, "1054", QString());
        validate(d);
        QCOMPARE(text(&d, "1057"), QStringLiteral("NSE Name Validation FAILED"));
        QCOMPARE(text(&d, "1058"), QStringLiteral("Validation Result"));
        QVERIFY(!add->isEnabled());

        // A BSE code alone is judged by the first reply line.
        typeInto(&d, "1053", QString());
        typeInto(&d, "1054", QStringLiteral("500325"));
        validate(d);
        QCOMPARE(text(&d, "1058"), QStringLiteral("BSE Name Validation PASSED"));
        QVERIFY(add->isEnabled());
        QCOMPARE(m_messenger.shown.size(), 1u);
    }

    void aFailingServiceIsAnInternetError()
    {
        TestSim failing;
        QVERIFY2(failing.startWith({QStringLiteral("--fault"), QStringLiteral("http500")}),
                 qPrintable(failing.errorText()));
        auto ctx = context(failing.url());
        NewListingDialog d(*ctx);
        d.show();
        typeInto(&d, "1053", QStringLiteral("RELIANCE"));
        validate(d);
        QCOMPARE(m_messenger.shown, std::vector<std::string>{NewListing::InternetErrorMessage});
        QVERIFY(!control<QPushButton>(&d, "1056")->isEnabled());
        QCOMPARE(text(&d, "1057"), QStringLiteral("Validation Result"));
    }

    void cancelEndsTheDialogWhileValidating()
    {
        TestSim slow;
        QVERIFY2(slow.startWith({QStringLiteral("--latency-ms"), QStringLiteral("3000")}),
                 qPrintable(slow.errorText()));
        auto ctx = context(slow.url());
        whenModal<NewListingDialog>([](NewListingDialog *d) {
            typeInto(d, "1018", QStringLiteral("Reliance Industries Limited"));
            typeInto(d, "1053", QStringLiteral("RELIANCE"));
            control<QPushButton>(d, "1055")->click();
            QTest::qWait(50);
            QVERIFY(d->listing().validating());
            control<QPushButton>(d, "cancel")->click();
        });
        QVERIFY(!NewListingDialog::ask(*ctx, nullptr).has_value());
        QVERIFY(m_messenger.shown.empty());
    }

    void findSymbolOpensTheLookupPageAndAddNeedsAName()
    {
        auto ctx = context(m_sim.url());
        std::vector<QUrl> opened;
        whenModal<NewListingDialog>([this](NewListingDialog *d) {
            auto *find = control<QPushButton>(d, "1059");
            typeInto(d, "1018", QStringLiteral("Ta"));
            find->click();
            QCOMPARE(m_messenger.shown.back(), std::string(NewListing::ShortLookupMessage));
            typeInto(d, "1018", QStringLiteral("Tata & Sons #1"));
            find->click();

            typeInto(d, "1054", QStringLiteral("500470"));
            validate(*d);
            typeInto(d, "1054", QStringLiteral("999999")); // what was validated is what counts
            typeInto(d, "1018", QStringLiteral("   "));
            control<QPushButton>(d, "1056")->click();
            QCOMPARE(m_messenger.shown.back(), std::string(NewListing::NoNameMessage));
            QVERIFY(d->isVisible());
            typeInto(d, "1018", QStringLiteral(" Tata Steel Limited  "));
            control<QPushButton>(d, "1056")->click();
        });
        const auto listing = NewListingDialog::ask(*ctx, nullptr, [&](const QUrl &url) {
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
        QCOMPARE(m_messenger.shown.size(), 2u);
    }
};

QTEST_MAIN(NewListingDialogTest)
#include "newlistingdialog_test.moc"
