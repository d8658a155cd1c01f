// The company list, read twice: by the program's seed loader when it makes its database and by
// the simulator at its start. Both read any text without fault; the loader takes a list whole
// or refuses it, its rows always as wide as the header. Where the loader takes a plain list,
// the simulator reads the very same companies from it.
#include "companylist.h"
#include "core/store/seedlist.h"
#include "property.h"

#include <algorithm>

namespace {
constexpr std::string_view Header = "COMPNAME,NSENAME,BSENAME";

bool printable(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '\n' || (c >= ' ' && c <= '~' && c != '"'); });
}

bool edgeBlank(const std::string &field)
{
    return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::vector<ListedCompany> companies = parseCompanyList(text);
    for (const ListedCompany &row : companies)
        for (const std::string *field : {&row.name, &row.nseSymbol, &row.bseSymbol})
            FUZZ_REQUIRE(field->find('\n') == std::string::npos);

    const auto seeded = readSeedList(text, "companylist.csv", Header);
    if (!seeded) {
        FUZZ_REQUIRE(!seeded.error().empty());
        return 0;
    }
    for (const SeedRow &row : seeded.value())
        FUZZ_REQUIRE(row.size() == 3);
    const bool plain =
        printable(text) &&
        std::none_of(seeded.value().begin(), seeded.value().end(), [](const SeedRow &row) {
            return std::any_of(row.begin(), row.end(), edgeBlank);
        });
    if (!plain)
        return 0;
    FUZZ_REQUIRE(companies.size() == seeded.value().size());
    for (std::size_t i = 0; i < companies.size(); ++i) {
        const SeedRow &row = seeded.value()[i];
        FUZZ_REQUIRE(companies[i].name == row[0] && companies[i].nseSymbol == row[1] &&
                     companies[i].bseSymbol == row[2]);
    }
    return 0;
}
