#include "core/common/clock.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/exportnamedialog.h"
#include "support/dialogdriver.h"
#include "support/recordingmessenger.h"

#include <QImage>
#include <QPainter>

namespace {

QImage draw(int bevel, ColorButton::State state, const QString &caption = QStringLiteral("Go"))
{
    QImage img(60, 28, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    ColorButton::Colours c;
    c.bevel = bevel;
    ColorButton::paint(p, img.rect(), caption, c, state);
    return img;
}

// The bounding box of the caption: pixels far darker than the face.
QRect inkBox(const QImage &img, int inset)
{
    QRect box;
    for (int y = inset; y < img.height() - inset; ++y)
        for (int x = inset; x < img.width() - inset; ++x)
            if (qGray(img.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

// The shared controls on the offscreen platform: the colour button's drawing and the
// export file name dialog.
class ControlsTest : public QObject
{
    Q_OBJECT
private slots:
    void theFaceInsideThePressedCaptionMovesAndAPressNeedsFocus()
    {
        const QImage up = draw(1, {true, false, true}), down = draw(1, {true, true, true});
        QCOMPARE(up.pixel(2, 2), qRgb(213, 247, 255)); // the face colour inside the ring
        const QRect a = inkBox(up, 5), b = inkBox(down, 5);
        QVERIFY(!a.isEmpty());
        QCOMPARE(b.topLeft(), a.topLeft() + QPoint(1, 1)); // one pixel right and down
        QCOMPARE(draw(2, {false, true, true}), draw(2, {false, false, true}));
        QCOMPARE(draw(0, {false, false, true}).pixel(0, 0), qRgb(213, 247, 255)); // no ring
    }

    void disabledCaptionIsGrey()
    {
        const QImage img = draw(2, {false, false, false}, "WWW");
        bool sawGrey = false, sawDark = false;
        for (int y = 4; y < 24; ++y)
            for (int x = 4; x < 56; ++x) {
                sawGrey |= img.pixel(x, y) == qRgb(128, 128, 128);
                sawDark |= qGray(img.pixel(x, y)) < 60;
            }
        QVERIFY(sawGrey);
        QVERIFY(!sawDark);
    }

    void faceColourChangesOnRequest()
    {
        ColorButton b("X");
        b.resize(40, 20);
        b.setFaceColour(Rgb{255, 0, 0}, true);
        QCOMPARE(b.grab().toImage().pixel(20, 3), qRgb(255, 0, 0));
    }

    void exportNameFromTheClockAndBlankNamesRefused()
    {
        RecordingMessenger messenger;
        FixedClock clock(makeLocalTime(2009, 3, 1, 0, 5, 9));
        ExportNameDialog early(clock, messenger);
        QCOMPARE(early.edit()->text(), QStringLiteral("01-03-2009_00-05-09AM"));
        QCOMPARE(early.edit()->maxLength(), 25);
        clock.set(makeLocalTime(2009, 3, 1, 12, 0, 0));
        whenModal<ExportNameDialog>([](ExportNameDialog *d) {
            QCOMPARE(d->edit()->text(), QStringLiteral("01-03-2009_12-00-00PM"));
            d->edit()->setText("    ");
            control<QPushButton>(d, "ok")->click();
            QVERIFY(d->isVisible());
            d->edit()->setText("  december ");
            control<QPushButton>(d, "ok")->click();
        });
        QCOMPARE(ExportNameDialog::ask(clock, messenger, nullptr).value_or(QString()),
                 QStringLiteral("december"));
        QCOMPARE(messenger.shown, std::vector<std::string>{"Please write a name for the CSV file"});
        whenModal<ExportNameDialog>(
            [](ExportNameDialog *d) { control<QPushButton>(d, "cancel")->click(); });
        QVERIFY(!ExportNameDialog::ask(clock, messenger, nullptr).has_value());
    }

    // The dialog driver itself: a test whose dialog never opens must not pass.
    void aDialogThatNeverOpensFailsItsTest()
    {
        bool driven = false;
        QEXPECT_FAIL("", "nothing opens the dialog", Continue);
        whenModal<ExportNameDialog>([&](ExportNameDialog *) { driven = true; }, 100);
        QTRY_VERIFY_WITH_TIMEOUT(dialogdriver::pending.count == 0, 20000);
        QVERIFY(!driven);
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
