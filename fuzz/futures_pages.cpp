// The exchange's futures pages. The walk reads a page or nothing: every month gets its expiry
// and exactly seven values, each one text that stands in the page between two tags (or the
// dash the list shows for zero), and the statistics rows likewise; nothing comes from past the
// end of the page, which the address sanitizer would see.
#include "core/futures/pagewalk.h"
#include "property.h"

namespace {
// A cell's text runs up to the next "<" and loses its ">"s: it stands in the page once the
// page's ">"s are gone too.
bool fromPage(const std::string &plainPage, const std::string &text)
{
    return text.find_first_of("<>") == std::string::npos && plainPage.find(text) != plainPage.npos;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string page = pageText(std::string_view(reinterpret_cast<const char *>(data), size));
    FUZZ_REQUIRE(page.find_first_of("\r\n") == std::string::npos);
    std::string plain = page;
    std::erase(plain, '>');

    if (const auto months = walkContractPage(page)) {
        for (const ContractMonth &month : *months) {
            FUZZ_REQUIRE(fromPage(plain, month.expiry));
            for (const std::string &value : month.values)
                FUZZ_REQUIRE(value == "-" || fromPage(plain, value));
            if (const auto label = expiryLabel(month.expiry))
                FUZZ_REQUIRE(label->size() == 11 && (*label)[2] == '-' && (*label)[6] == '-');
        }
    }
    if (const auto stats = walkStatsPage(page)) {
        FUZZ_REQUIRE(stats->heading.starts_with("Trade Statistics"));
        FUZZ_REQUIRE(stats->heading.find('<') == std::string::npos &&
                     page.find(stats->heading) != page.npos);
        for (const TradeStatRow &row : stats->rows)
            for (const std::string *cell : {&row.product, &row.contracts, &row.turnover})
                FUZZ_REQUIRE(fromPage(plain, *cell));
    }
    return 0;
}
