#include "core/store/newlisting.h"

#include "core/common/blanktext.h"
#include "core/common/messenger.h"
#include "core/net/urlencode.h"

namespace {
// The service answers an unknown symbol with "N/A" fields; no line at all is no better.
bool linePasses(const std::vector<std::string> &lines, std::size_t index)
{
    return index < lines.size() && !lines[index].empty() &&
           lines[index].find("N/A") == std::string::npos;
}
} // namespace

NewListing::NewListing(Messenger &messenger) : m_messenger(messenger) {}

std::optional<std::string> NewListing::startValidation(std::string_view nseSymbol,
                                                       std::string_view bseSymbol)
{
    nseSymbol = trimBlanks(nseSymbol);
    bseSymbol = trimBlanks(bseSymbol);
    if (nseSymbol.empty() && bseSymbol.empty()) {
        m_addEnabled = false;
        m_messenger.inform(NoSymbolMessage);
        return std::nullopt;
    }
    m_nseSymbol = nseSymbol;
    m_bseSymbol = bseSymbol;
    m_nseValidated = m_bseValidated = false;
    m_nseResult = m_bseResult = InitialResult; // no stale verdict for a symbol now left out
    m_addEnabled = false;
    m_validating = true;

    std::string symbols;
    if (!nseSymbol.empty())
        symbols = quoteSymbol(Exchange::Nse, nseSymbol);
    if (!nseSymbol.empty() && !bseSymbol.empty())
        symbols += ',';
    if (!bseSymbol.empty())
        symbols += quoteSymbol(Exchange::Bse, bseSymbol);
    return "/d/quotes.csv?s=" + encodeQueryValue(symbols) + "&f=" + QuoteFields;
}

void NewListing::finishValidation(const std::vector<std::string> &lines)
{
    m_validating = false;
    std::size_t next = 0;
    if (!m_nseSymbol.empty()) {
        m_nseValidated = linePasses(lines, next++);
        m_nseResult = m_nseValidated ? NsePassed : NseFailed;
    }
    if (!m_bseSymbol.empty()) {
        m_bseValidated = linePasses(lines, next);
        m_bseResult = m_bseValidated ? BsePassed : BseFailed;
    }
    m_addEnabled = m_nseValidated || m_bseValidated;
}

void NewListing::failValidation()
{
    m_validating = false;
    m_addEnabled = false;
    m_messenger.inform(InternetErrorMessage);
}

bool NewListing::accept(std::string_view companyName)
{
    const std::string_view name = trimBlanks(companyName);
    if (name.empty()) {
        m_messenger.inform(NoNameMessage);
        return false;
    }
    m_companyName = name;
    return true;
}

std::optional<std::string> NewListing::lookupPath(std::string_view companyName) const
{
    if (characterCount(companyName) < 3) {
        m_messenger.inform(ShortLookupMessage);
        return std::nullopt;
    }
    return "/lookup?s=" + encodeText(companyName);
}

StoreResult<bool> NewListing::store(CompanyListStore &companies) const
{
    CompanyRow row{m_companyName, {}, {}};
    const auto newSymbol = [&](Exchange exchange, bool validated, const std::string &symbol,
                               std::string &target) -> StoreStatus {
        if (!validated)
            return storeOk();
        auto known = companies.hasSymbol(exchange, symbol);
        if (!known)
            return StoreError{known.error()};
        if (!known.value())
            target = symbol;
        return storeOk();
    };
    if (auto nse = newSymbol(Exchange::Nse, m_nseValidated, m_nseSymbol, row.nseName); !nse)
        return StoreError{nse.error()};
    if (auto bse = newSymbol(Exchange::Bse, m_bseValidated, m_bseSymbol, row.bseName); !bse)
        return StoreError{bse.error()};
    // A row without a symbol could never be found again.
    if (row.nseName.empty() && row.bseName.empty())
        return false;
    if (auto inserted = companies.insert(row); !inserted)
        return StoreError{inserted.error()};
    return true;
}

std::vector<WatchRow> NewListing::watchRows() const
{
    std::vector<WatchRow> rows;
    if (m_nseValidated)
        rows.push_back({m_companyName, std::string(exchangeCode(Exchange::Nse)), m_nseSymbol});
    if (m_bseValidated)
        rows.push_back({m_companyName, std::string(exchangeCode(Exchange::Bse)), m_bseSymbol});
    return rows;
}
