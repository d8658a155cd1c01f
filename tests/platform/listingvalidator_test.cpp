#include "core/store/newlisting.h"
#include "platform/store/listingvalidator.h"
#include "support/cannedhttpserver.h"
#include "support/recordingmessenger.h"

#include <QSignalSpy>
#include <QTest>

// The validation request as it travels: what is asked, under which agent, one at a time. What
// the reply makes of each symbol is the listing's own test; the dialog is tested against the
// simulator, its failures in the fault matrix.
class ListingValidatorTest : public QObject
{
    Q_OBJECT

private slots:
    void oneRequestAtATimeUnderItsOwnAgent()
    {
        CannedHttpServer service(
            "\"INFY.NS\",1520.35,\"12/4/2026\",\"11:00am\",+12.40,1508.00,1525.00,1502.10,45\r\n");
        QVERIFY(service.start());
        RecordingMessenger messenger;
        NewListing listing(messenger);
        ListingValidator validator(listing);
        validator.setBaseUrl(service.baseUrl().toStdString());
        QSignalSpy finished(&validator, &ListingValidator::finished);

        QVERIFY(validator.validate(" INFY", "NOSUCH "));
        QVERIFY2(!validator.validate("INFY", ""), "one validation at a time");
        QVERIFY(finished.wait(30000));
        QCOMPARE(service.lastTarget + ' ' + service.lastUserAgent,
                 "/d/quotes.csv?s=INFY.NS,NOSUCH.BO&f=sl1d1t1c1ohgv ValidationSession");
    }
};

QTEST_GUILESS_MAIN(ListingValidatorTest)
#include "listingvalidator_test.moc"
