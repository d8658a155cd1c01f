#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

// Drives the next modal dialog of type D once it runs: drive gets it, and whatever drive
// did (or failed to do), the dialog does not stay open to hang the test.
template <typename D> void whenModal(std::function<void(D *)> drive)
{
    QTimer::singleShot(0, [drive = std::move(drive)] {
        QPointer<D> dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("whenModal: the expected dialog is not the active modal window");
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        drive(dialog.data());
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
}

// A dialog's control by its id; a missing one ends the test run, it is a wiring fault.
template <typename W> W *control(QWidget *dialog, const char *id)
{
    W *w = dialog->findChild<W *>(QString::fromLatin1(id));
    if (!w)
        qFatal("no control %s in %s", id, qPrintable(dialog->objectName()));
    return w;
}

// Replaces an edit's text key by key, as a user does.
inline void typeInto(QWidget *dialog, const char *id, const QString &text)
{
    auto *edit = control<QLineEdit>(dialog, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}
