#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Service = u"org.vantrel.ChartBridge"_s;
const QString Infy = u"1796469300,1500.00,1502.00,1498.50,1499.00,800*"
                     "1796469360,1501.00,1503.00,1500.00,1500.00,650*"_s;

// Every stock, then every bar, in the charting program's file, one text per row.
QStringList contents(const QString &file)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"peek"_s);
        db.setDatabaseName(file);
        if (db.open())
            for (QSqlQuery query(
                     u"SELECT 0, SYMBOL, 0, SYMBOL FROM STOCKS UNION ALL SELECT 1, "
                     "SYMBOL, TIME, printf('%s,%d,%.15g,%.15g,%.15g,%.15g,%d', SYMBOL, "
                     "TIME, OPEN, HIGH, LOW, CLOSE, VOLUME) FROM BARS ORDER BY 1, 2, 3"_s,
                     db);
                 query.next();)
                rows << query.value(3).toString();
    }
    QSqlDatabase::removeDatabase(u"peek"_s);
    return rows;
}

QStringList barsOf(const QStringList &rows, const QString &symbol)
{
    return rows.filter(QRegularExpression(u"^%1,\\d+,"_s.arg(symbol)));
}
} // namespace

// vantrel-chartbook as the link sees it on a private session bus: the interface's calls,
// malformed text answered with an error that changes nothing, and bars that outlive a kill -9.
class ChartBookBridgeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_bus.isConnected() && m_root.isValid());
        m_file = m_root.filePath(u"ChartBook.sqlite"_s);
        start();
    }
    void cleanupTestCase()
    {
        m_program.kill();
        m_program.waitForFinished(30000);
    }

    void callsBuildTheStockListAndBarsThatOutliveAKill()
    {
        QVERIFY(ok(u"Connect"_s));
        // Two stocks fed in turn, then the first again, with the window drawing each change;
        // then a stock list, a first cycle without stock records and two cycles feeding ACC.
        for (const QString &feed : {u"AAA,10,11,5"_s, u"BBB,10,11,5"_s, u"AAA,10.5,11,6"_s})
            QVERIFY(ok(u"FeedQuotes"_s, {feed}));
        QVERIFY(ok(u"SyncStockList"_s, {u"ACC,INFY,NIFTY,SENSEX,"_s}));
        for (const QString &feed : {u"NIFTY,24550.10,24560.35,0"_s,
                                    u"NIFTY,24560.35,24561.00,0*ACC,1850.00,1852.40,1200,"_s,
                                    u"NIFTY,24561.00,24559.10,0*ACC,1852.40,1851.00,300,"_s})
            QVERIFY(ok(u"FeedQuotes"_s, {feed}));
        QVERIFY(ok(u"BackfillStock"_s, {u"INFY"_s, Infy}));

        const QStringList rows = contents(m_file);
        QCOMPARE(rows.mid(0, 4), (QStringList{"ACC", "INFY", "NIFTY", "SENSEX"}));
        QCOMPARE(barsOf(rows, u"INFY"_s), (QStringList{"INFY,1796469300,1499,1502,1498.5,1500,800",
                                                       "INFY,1796469360,1500,1503,1500,1501,650"}));
        // However the cycles fell into minutes, the volume adds up and the last price closes.
        const QStringList acc = barsOf(rows, u"ACC"_s);
        qlonglong volume = 0;
        for (const QString &bar : acc)
            volume += bar.section(u',', 6).toLongLong();
        QVERIFY2(acc.size() <= 2 && barsOf(rows, u"SENSEX"_s).isEmpty(),
                 qPrintable(rows.join(' ')));
        QCOMPARE(u"%1 %2"_s.arg(volume).arg(acc.value(acc.size() - 1).section(u',', 5, 5)),
                 u"1500 1851"_s);

        // Malformed text is an error and changes nothing.
        const QString newInfyBar = u"1796469420,1502.00,1503.00,1500.00,1501.00,5*"_s;
        const QString megabyte(1024 * 1024, u'7'); // one line, as a broken service may send
        for (const auto &[method, args] : std::initializer_list<std::pair<QString, QStringList>>{
                 {u"FeedQuotes"_s, {u"ACC,1851.00,1855.00,10,*ACC,1,x,0"_s}},
                 {u"SyncStockList"_s, {u"ACC,,NIFTY,"_s}},
                 {u"BackfillStock"_s, {u"INFY"_s, newInfyBar + "garbage*"}},
                 {u"BackfillStock"_s, {u"IN FY"_s, newInfyBar}}})
            QCOMPARE(call(method, args).errorName(),
                     u"org.vantrel.ChartBridge1.Error.MalformedText"_s);
        // Far more than a feed cycle is refused at once as too large.
        QCOMPARE(call(u"FeedQuotes"_s, {megabyte}).errorName(),
                 u"org.vantrel.ChartBridge1.Error.TooLarge"_s);
        QCOMPARE(contents(m_file), rows);

        // Five days of five-minute bars over a day of one-minute bars: where they meet, the
        // bars already kept stay, whichever size came first; elsewhere both are kept.
        const qint64 at1030 = 1796428800 + (10 * 60 + 30) * 60;
        const auto line = [at1030](int minute, qint64 shares) {
            return u"%1,100.00,101.00,99.00,100.50,%2*"_s.arg(at1030 + minute * 60).arg(shares);
        };
        QString minutes, fives = line(-1440, 5); // the day before
        for (int m = -2; m < 5; ++m)             // 10:28 to 10:34
            minutes += line(m, 12425 + m);
        for (int m = -10; m <= 10; m += 5) // 10:20 to 10:40
            fives += line(m, 160367 + m);
        for (const QString &bars : {minutes, fives, minutes})
            QVERIFY(ok(u"BackfillStock"_s, {u"TCS"_s, bars}));
        QStringList kept;
        for (const QString &bar : barsOf(contents(m_file), u"TCS"_s))
            kept << u"%1:%2"_s.arg((bar.section(u',', 1, 1).toLongLong() - at1030) / 60)
                        .arg(bar.section(u',', 6, 6));
        QCOMPARE(kept,
                 (QStringList{"-1440:5", "-10:160357", "-2:12423", "-1:12424", "0:12425", "1:12426",
                              "2:12427", "3:12428", "4:12429", "5:160372", "10:160377"}));
        // The other way round: the day's minutes do not break into five-minute bars.
        QVERIFY(ok(u"BackfillStock"_s, {u"TCS"_s, line(6, 1) + line(7, 1)}));
        QCOMPARE(barsOf(contents(m_file), u"TCS"_s).size(), kept.size());

        // Bars outlive a kill, and only a running program answers.
        const QStringList before = contents(m_file);
        m_program.kill(); // SIGKILL: no chance to tidy up
        QVERIFY(m_program.waitForFinished(30000));
        QTRY_VERIFY_WITH_TIMEOUT(!m_bus.interface()->isServiceRegistered(Service), 30000);
        QCOMPARE(call(u"Connect"_s).type(), QDBusMessage::ErrorMessage);

        start();
        QVERIFY(ok(u"Connect"_s));
        // A second one cannot take the name away from the first.
        QProcess second;
        second.start(qEnvironmentVariable("VANTREL_CHARTBOOK"),
                     {u"--data-dir"_s, m_root.filePath(u"other"_s)});
        QVERIFY(second.waitForFinished(60000));
        QVERIFY(second.exitCode() != 0 &&
                second.readAllStandardError().contains("org.vantrel.ChartBridge"));
        QVERIFY(ok(u"BackfillStock"_s, {u"INFY"_s, QString()})); // only header lines: nothing
        QCOMPARE(contents(m_file), before); // the kill, the second one and that changed nothing
        QVERIFY(ok(u"DeleteAllStocks"_s));
        QVERIFY(contents(m_file).isEmpty());
    }

private:
    void start()
    {
        // The window is shown and painted on the test's X display when it has one.
        if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
            m_program.setProcessEnvironment(env);
        }
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(qEnvironmentVariable("VANTREL_CHARTBOOK"),
                        {u"--data-dir"_s, m_root.path()});
        QVERIFY(m_program.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.interface()->isServiceRegistered(Service), 60000);
    }
    QDBusMessage call(const QString &method, const QStringList &args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            Service, u"/Bridge"_s, u"org.vantrel.ChartBridge1"_s, method);
        for (const QString &arg : args)
            message << arg;
        return m_bus.call(message, QDBus::Block, 60000);
    }
    bool ok(const QString &method, const QStringList &args = {})
    {
        const QDBusMessage reply = call(method, args);
        if (reply.type() != QDBusMessage::ReplyMessage)
            qWarning() << reply.errorName() << reply.errorMessage();
        return reply.type() == QDBusMessage::ReplyMessage;
    }

    QDBusConnection m_bus = QDBusConnection::sessionBus();
    QTemporaryDir m_root;
    QString m_file;
    QProcess m_program;
};

QTEST_GUILESS_MAIN(ChartBookBridgeTest)
#include "chartbookbridge_test.moc"
