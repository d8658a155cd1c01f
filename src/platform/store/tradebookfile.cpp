#include "platform/store/tradebookfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Tradebook readTradebookFile(const QString &path)
{
    const QString shown = QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
    QFile file(path);
    Tradebook failed;
    if (QFileInfo(path).size() > qint64(LargestFile)) {
        failed.error = (shown + QStringLiteral(" is too large for a tradebook")).toStdString();
        return failed;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        failed.error = ("Can't read " + shown + ": " + file.errorString()).toStdString();
        return failed;
    }
    const QByteArray text = file.read(qint64(LargestFile) + 1);
    return readTradebook(std::string_view(text.constData(), std::size_t(text.size())),
                         QFileInfo(path).fileName().toStdString());
}
