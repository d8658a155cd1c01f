#include "core/net/quotecells.h"

#include "core/net/displayformat.h"

std::string quoteCellText(std::uint16_t missing, std::uint16_t fields, double value)
{
    return (missing & fields) == 0 ? formatDisplay(value) : NotAvailableText;
}

std::string quoteCellText(const QuoteRecord &record, std::uint16_t fields, double value)
{
    return quoteCellText(record.missing, fields, value);
}

std::string quoteQuantityText(const QuoteRecord &record, std::uint16_t fields, double value)
{
    return record.has(fields) ? formatQuantity(value) : NotAvailableText;
}
