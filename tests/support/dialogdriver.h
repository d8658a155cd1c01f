#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace dialogdriver {
// Drivers still waiting for their dialog. One left when the program ends is a dialog that
// never opened in a test that ended without noticing: the run fails.
inline struct Pending
{
    int count = 0;
    ~Pending()
    {
        if (count == 0)
            return;
        std::fprintf(stderr, "FAIL!  : %d expected dialog(s) never opened\n", count);
        std::_Exit(1);
    }
} pending;

inline QByteArray runningTest()
{
    return QByteArray(QTest::currentTestFunction()) + ' ' + QTest::currentDataTag();
}
} // namespace dialogdriver

// Drives the next modal dialog of type D once it runs: drive gets it, and whatever drive
// did (or failed to do), the dialog does not stay open to hang the test. A dialog that does
// not open within a generous time, or before its test ends, fails the test; so does another
// modal window that stands in its way meanwhile, which is closed.
template <typename D> void whenModal(std::function<void(D *)> drive, int timeoutMs = 20000)
{
    ++dialogdriver::pending.count;
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    const QDeadlineTimer deadline(timeoutMs);
    const QByteArray test = dialogdriver::runningTest();
    QObject::connect(poll, &QTimer::timeout, poll, [=, drive = std::move(drive)] {
        QWidget *modal = QApplication::activeModalWidget();
        QPointer<D> dialog = qobject_cast<D *>(modal);
        const bool moved = dialogdriver::runningTest() != test;
        if (!dialog && !moved && !deadline.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        --dialogdriver::pending.count;
        if (!dialog) {
            QTest::qFail("whenModal: the expected dialog " +
                             QByteArray(D::staticMetaObject.className()) + " never opened in " +
                             test,
                         __FILE__, __LINE__);
            if (modal)
                modal->close();
            return;
        }
        drive(dialog.data());
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
    poll->start();
}

// A dialog's control by its object name; a missing one ends the test run, it is a wiring fault.
template <typename W> W *control(QWidget *dialog, const char *id)
{
    W *w = dialog->findChild<W *>(QString::fromLatin1(id));
    if (!w)
        qFatal("no control %s in %s", id, qPrintable(dialog->objectName()));
    return w;
}

// Clicks a button that must end its dialog (Cancel, Close). The driver rejects a dialog left
// open, so without this check a button that does nothing would pass unnoticed.
inline void clickToEnd(QWidget *dialog, const char *id)
{
    control<QAbstractButton>(dialog, id)->click();
    if (dialog->isVisible())
        QTest::qFail(QByteArray(id) + " left its dialog open", __FILE__, __LINE__);
}

// Replaces an edit's text key by key, as a user does.
inline void typeInto(QWidget *dialog, const char *id, const QString &text)
{
    auto *edit = control<QLineEdit>(dialog, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}
