#include "gui/controls/fieldedits.h"

#include "core/common/messenger.h"
#include "core/controls/fieldcheck.h"

#include <QLineEdit>

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
    return QString::fromStdString(numberFieldText(value));
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
