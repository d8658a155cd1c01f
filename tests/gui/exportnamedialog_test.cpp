#include "core/common/clock.h"
#include "gui/controls/exportnamedialog.h"
#include "support/recordingmessenger.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class ExportNameDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void proposesANameFromTheClock()
    {
        RecordingMessenger messenger;
        FixedClock clock(makeLocalTime(2009, 3, 1, 0, 5, 9));
        ExportNameDialog d(clock, messenger);
        QCOMPARE(d.edit()->text(), QStringLiteral("01-03-2009_00-05-09AM"));
        QCOMPARE(d.edit()->maxLength(), 25);
        clock.set(makeLocalTime(2009, 3, 1, 12, 0, 0));
        QCOMPARE(ExportNameDialog(clock, messenger).edit()->text(), QStringLiteral("01-03-2009_12-00-00PM"));
    }

    void blankNamesAreRefusedAndTheDialogStays()
    {
        RecordingMessenger messenger;
        FixedClock clock(makeLocalTime(2026, 12, 4, 10, 0, 0));
        std::optional<QString> result;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<ExportNameDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->edit()->setText(QStringLiteral("    "));
            d->findChild<QPushButton *>(QStringLiteral("ok"))->click();
            QVERIFY(d->isVisible());
            d->edit()->setText(QStringLiteral("  december "));
            d->findChild<QPushButton *>(QStringLiteral("ok"))->click();
        });
        result = ExportNameDialog::ask(clock, messenger, nullptr);
        QCOMPARE(messenger.shown, std::vector<std::string>{"Please write a name for the CSV file"});
        QCOMPARE(result.value(), QStringLiteral("december"));

        QTimer::singleShot(0, [] {
            QApplication::activeModalWidget()->findChild<QPushButton *>(QStringLiteral("cancel"))->click();
        });
        QVERIFY(!ExportNameDialog::ask(clock, messenger, nullptr).has_value());
    }
};

QTEST_MAIN(ExportNameDialogTest)
#include "exportnamedialog_test.moc"
