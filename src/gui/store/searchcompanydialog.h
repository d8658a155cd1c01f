#pragma once

#include "core/store/storerows.h"
#include "core/store/watchsearchform.h"

#include <QDialog>

#include <optional>

class AppContext;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class CompanyNamesModel;
class QListView;
class WatchListSink;

// "Search Company to Watch": finds a company by part of its name within one exchange and
// takes the alert limits for the new watch entry. The search follows every change of the
// text: the list in memory answers it well within a keystroke, so it runs as the user types.
class SearchCompanyDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Search Company to Watch";

    SearchCompanyDialog(AppContext &ctx, WatchListSink &watchList, QWidget *parent = nullptr);

    // Runs the dialog. OK (or a double click on a name) adds the chosen stock with its alert
    // flag and limits to watchList; so does "Add New Listing" with the new stocks. A stock
    // the store could not take leaves the dialog open with what was typed. The stock added
    // by OK, if any.
    static std::optional<WatchRow> ask(AppContext &ctx, WatchListSink &watchList, QWidget *parent);

    const std::optional<WatchRow> &picked() const { return m_picked; }
    void accept() override;

private:
    Exchange exchange() const;
    std::string searchText() const;
    // Runs one of the search's triggers over an emptied list, then shows what it found.
    void searchWith(void (CompanySearch::*trigger)(std::string_view, Exchange));
    void addNewListing();

    AppContext &m_ctx;
    WatchListSink &m_watchList;
    WatchSearchForm m_form;
    QLineEdit *m_text;
    QButtonGroup *m_exchange;
    CompanyNamesModel *m_names;
    QListView *m_list;
    QCheckBox *m_alert;
    QLineEdit *m_lower;
    QLineEdit *m_upper;
    std::optional<WatchRow> m_picked;
};
