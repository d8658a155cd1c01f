#include "gui/controls/fieldedits.h"

#include "core/common/messenger.h"
#include "core/controls/fieldcheck.h"

#include <QLineEdit>

#include <array>
#include <charconv>

namespace {
template <typename T>
std::optional<T> taken(QLineEdit *edit, const FieldValue<T> &field, Messenger &messenger)
{
    if (!field.value) {
        messenger.inform(field.message);
        edit->setFocus();
        edit->selectAll();
    }
    return field.value;
}
} // namespace

QString numberText(double value)
{
    // The shortest text that reads back as the same number.
    std::array<char, 64> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return QString::fromLatin1(buffer.data(), end.ptr - buffer.data());
}

std::optional<double> readNumber(QLineEdit *edit, double minimum, double maximum,
                                 Messenger &messenger)
{
    return taken(edit, takeNumber(edit->text().toStdString(), minimum, maximum), messenger);
}

std::optional<long> readInteger(QLineEdit *edit, long minimum, long maximum, Messenger &messenger)
{
    return taken(edit, takeInteger(edit->text().toStdString(), minimum, maximum), messenger);
}
