#pragma once

#include "core/store/companysearch.h"

#include <QDialog>

#include <optional>
#include <string>

class AppContext;
class CompanyNamesModel;
class QListView;

// A company picked from the search: its name, the exchange searched and its symbol there.
struct CompanyChoice
{
    std::string companyName;
    Exchange exchange = Exchange::Nse;
    std::string symbol;

    bool operator==(const CompanyChoice &) const = default;
};

// "Company Search Result": the holding entry's company search. The caller's text is
// searched once, within the caller's exchange, as the dialog opens.
class CompanySearchResultDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Company Search Result";
    static constexpr std::size_t MaximumResults = 100;
    static constexpr const char *NewListingHint =
        "In case you are not able to find a company, add it with \"Add New Listing\" in "
        "the Watch List's \"Add\" window";

    CompanySearchResultDialog(AppContext &ctx, const std::string &text, Exchange exchange,
                              QWidget *parent = nullptr);

    // Runs the dialog; the selected company on OK or a double click. Cancel, or OK with
    // nothing selected, gives nothing.
    static std::optional<CompanyChoice> ask(AppContext &ctx, const std::string &text,
                                            Exchange exchange, QWidget *parent);

    const std::optional<CompanyChoice> &choice() const { return m_choice; }
    void accept() override;

private:
    CompanySearch m_search;
    CompanyNamesModel *m_names;
    QListView *m_list;
    std::optional<CompanyChoice> m_choice;
};
