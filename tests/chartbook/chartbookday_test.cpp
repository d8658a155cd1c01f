#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Service = QStringLiteral("org.vantrel.ChartBridge");
constexpr qint64 Day = 1796428800; // a trading day's midnight, in local seconds
constexpr int Open = 9 * 60 + 15;
constexpr int Session = 375;

// A stock's price at a minute of the day: a slow wave, never the same twice in a row.
double priceAt(int stock, int minute)
{
    return 100.0 * (stock + 1) + (minute % 37) * 0.35 + (minute % 11) * 0.05;
}

// The chart-data service's bar lines for minutes [from, to) of a day, every step minutes.
QString barLines(int stock, qint64 day, int from, int to, int step)
{
    QString text;
    for (int m = from; m < to; m += step) {
        const double open = priceAt(stock, m), close = priceAt(stock, m + step);
        text += QStringLiteral("%1,%2,%3,%4,%5,%6*")
                    .arg(day + (Open + m) * 60)
                    .arg(close, 0, 'f', 2)
                    .arg(std::max(open, close) + 0.5, 0, 'f', 2)
                    .arg(std::min(open, close) - 0.5, 0, 'f', 2)
                    .arg(open, 0, 'f', 2)
                    .arg(1000 + m * 7);
    }
    return text;
}
} // namespace

// vantrel-chartbook with its window shown on a real X display, through a whole simulated day:
// the list of stocks changes, feeds of several stocks alternate with backfills of either kind,
// and every change is drawn. A crash while painting ends the program; the calls after it fail.
class ChartBookDayTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display (run under xvfb-run)");
        QVERIFY(m_bus.isConnected());
        QVERIFY(m_root.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_program.start(qEnvironmentVariable("VANTREL_CHARTBOOK"),
                        {QStringLiteral("--data-dir"), m_root.path()});
        QVERIFY(m_program.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.interface()->isServiceRegistered(Service), 60000);
    }
    void cleanupTestCase()
    {
        m_program.kill();
        m_program.waitForFinished(30000);
    }

    void aWholeDayOfFeedsAndBackfillsIsDrawnWithoutACrash()
    {
        // The issue's own sequence first: two stocks fed in turn, then the first again.
        for (const char *feed : {"AAA,10,11,5", "BBB,10,11,5", "AAA,10.5,11,6"})
            QVERIFY(ok(QStringLiteral("FeedQuotes"), {QString::fromLatin1(feed)}));

        const QStringList names{"ACC", "INFY", "TCS", "SBIN", "ITC", "NIFTY", "SENSEX"};
        QStringList list{"ACC", "INFY", "NIFTY", "SENSEX"};
        QVERIFY(ok(QStringLiteral("SyncStockList"), {list.join(QLatin1Char(',')) + ","}));
        // Five earlier days of five-minute bars, then the morning's minutes.
        for (int k = 0; k < list.size(); ++k) {
            QString fiveDays;
            for (int d = 5; d >= 1; --d)
                fiveDays += barLines(k, Day - d * 86400, 0, Session, 5);
            QVERIFY(ok(QStringLiteral("BackfillStock"), {list[k], fiveDays}));
            QVERIFY(ok(QStringLiteral("BackfillStock"), {list[k], barLines(k, Day, 0, 45, 1)}));
        }

        for (int minute = 45; minute < Session; minute += 3) {
            // The watch list changes through the day: a stock joins, another leaves.
            if (minute % 60 == 0) {
                const QString joining = names[(minute / 60) % 5];
                list.removeAt(0);
                if (!list.contains(joining))
                    list.insert(list.size() - 2, joining);
                QVERIFY(ok(QStringLiteral("SyncStockList"), {list.join(QLatin1Char(',')) + ","}));
                QVERIFY(ok(QStringLiteral("BackfillStock"),
                           {joining, barLines(int(names.indexOf(joining)), Day, 0, minute, 1)}));
            }
            QStringList records;
            for (const QString &symbol : list) {
                const int k = int(names.indexOf(symbol));
                records << QStringLiteral("%1,%2,%3,%4,")
                               .arg(symbol)
                               .arg(priceAt(k, minute - 1), 0, 'f', 2)
                               .arg(priceAt(k, minute), 0, 'f', 2)
                               .arg(minute * 3);
            }
            QVERIFY(ok(QStringLiteral("FeedQuotes"), {records.join(QLatin1Char('*'))}));
            if (minute == 180) {
                QVERIFY(ok(QStringLiteral("DeleteAllStocks")));
                QVERIFY(ok(QStringLiteral("FeedQuotes"), {QStringLiteral("NIFTY,1,2,0")}));
            }
        }
        QCOMPARE(m_program.state(), QProcess::Running);
    }

private:
    bool ok(const QString &method, const QVariantList &args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            Service, QStringLiteral("/Bridge"), QStringLiteral("org.vantrel.ChartBridge1"), method);
        message.setArguments(args);
        const QDBusMessage reply = m_bus.call(message, QDBus::Block, 60000);
        if (reply.type() != QDBusMessage::ReplyMessage)
            qWarning() << method << reply.errorName() << reply.errorMessage() << "program state"
                       << m_program.state() << m_program.exitCode();
        // Let the window paint what the call changed before the next one arrives.
        QTest::qWait(5);
        return reply.type() == QDBusMessage::ReplyMessage;
    }

    QDBusConnection m_bus = QDBusConnection::sessionBus();
    QTemporaryDir m_root;
    QProcess m_program;
};

QTEST_GUILESS_MAIN(ChartBookDayTest)
#include "chartbookday_test.moc"
