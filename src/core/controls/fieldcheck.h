#pragma once

#include <optional>
#include <string>
#include <string_view>

// What a dialog's plain number edits accept when their values are taken: the whole text,
// blanks around it aside, must be a number (an integer for whole-number fields) within the
// field's range. Otherwise the value is empty and the message says what to enter.
template <typename T> struct FieldValue
{
    std::optional<T> value;
    std::string message;
};

FieldValue<double> takeNumber(std::string_view text, double minimum, double maximum);
FieldValue<long> takeInteger(std::string_view text, long minimum, long maximum);

// The text a number field first shows for a value: the fewest digits that read back as the
// same number, never in exponent form, which the fields' own validators would not let the user
// edit ("100000", not "1e+05").
std::string numberFieldText(double value);

// The range message on its own, as the fields show it ("Please enter a number between 0
// and 100.").
std::string numberRangeMessage(double minimum, double maximum);
std::string integerRangeMessage(long minimum, long maximum);
