#pragma once

#include <QString>

#include <optional>

class Messenger;
class QLineEdit;

// Plain number edits: the text a value first shows as, and the value taken when the dialog
// needs it. A value that does not pass shows the field's message and takes the focus, so the
// user sees which edit to correct.
QString numberText(double value);
std::optional<double> readNumber(QLineEdit *edit, double minimum, double maximum,
                                 Messenger &messenger);
std::optional<long> readInteger(QLineEdit *edit, long minimum, long maximum, Messenger &messenger);
