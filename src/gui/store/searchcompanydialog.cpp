#include "gui/store/searchcompanydialog.h"

#include "core/net/cnumber.h"
#include "core/watch/watchlistsink.h"
#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"
#include "gui/store/newlistingdialog.h"
#include "gui/store/searchresults.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>

SearchCompanyDialog::SearchCompanyDialog(AppContext &ctx, WatchListSink &watchList, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_watchList(watchList),
      m_form(ctx.database.companyList(), ctx.messenger)
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("searchCompanyDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(parts.units().size(254, 186));
    applyPanelStyle(this);

    m_text = parts.edit("searchText", 7, 7, 118, 13);
    m_exchange = new QButtonGroup(this);
    const char *names[] = {"searchNse", "searchBse"};
    for (Exchange e : {Exchange::Nse, Exchange::Bse}) {
        const int x = e == Exchange::Nse ? 132 : 166;
        auto *radio = parts.place(new QRadioButton(QString::fromLatin1(exchangeCode(e)), this),
                                  names[int(e)], x, 8, 32, 11);
        m_exchange->addButton(radio, int(e));
        // A click searches even on the exchange already chosen, as "SEARCH" does.
        connect(radio, &QRadioButton::clicked, this,
                [this] { searchWith(&CompanySearch::exchangeChosen); });
    }
    m_exchange->button(int(Exchange::Nse))->setChecked(true);
    auto *search = parts.button("search", QStringLiteral("SEARCH"), 200, 7, 47, 14);

    m_names = new CompanyNamesModel(m_form.search(), this);
    m_list = parts.place(makeResultList(m_names, this), "companyNames", 7, 26, 240, 104);
    m_alert =
        parts.place(new QCheckBox(QStringLiteral("Set Alert"), this), "setAlert", 7, 137, 48, 10);
    parts.label(nullptr, QStringLiteral("Lower Limit"), 60, 137, 40, 10);
    m_lower = parts.edit("lowerLimit", 100, 135, 45, 13);
    parts.label(nullptr, QStringLiteral("Upper Limit"), 153, 137, 40, 10);
    m_upper = parts.edit("upperLimit", 195, 135, 52, 13);
    for (QLineEdit *limit : {m_lower, m_upper}) {
        limit->setText(QStringLiteral("0"));
        limit->setEnabled(false);
    }

    auto *newListing =
        parts.button("addNewListing", QStringLiteral("Add New Listing"), 7, 156, 80, 14);
    parts.label(nullptr, QStringLiteral("In case you are not able to find a company"), 7, 172, 160,
                9);
    auto *ok = parts.button("ok", QStringLiteral("OK"), 143, 162, 50, 14);
    ok->setDefault(true);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 197, 162, 50, 14);

    connect(m_text, &QLineEdit::textChanged, this,
            [this] { searchWith(&CompanySearch::searchAsTyped); });
    connect(search, &QPushButton::clicked, this, [this] { searchWith(&CompanySearch::search); });
    connect(m_alert, &QCheckBox::toggled, this, [this](bool on) {
        m_form.setAlert(on);
        m_lower->setEnabled(m_form.limitsEnabled());
        m_upper->setEnabled(m_form.limitsEnabled());
    });
    connect(m_list, &QListView::doubleClicked, this, &SearchCompanyDialog::accept);
    connect(newListing, &QPushButton::clicked, this, &SearchCompanyDialog::addNewListing);
    connect(ok, &QPushButton::clicked, this, &SearchCompanyDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

Exchange SearchCompanyDialog::exchange() const
{
    return m_exchange->checkedId() == int(Exchange::Bse) ? Exchange::Bse : Exchange::Nse;
}

std::string SearchCompanyDialog::searchText() const
{
    return m_text->text().toStdString();
}

void SearchCompanyDialog::searchWith(void (CompanySearch::*trigger)(std::string_view, Exchange))
{
    m_names->clear();
    (m_form.search().*trigger)(searchText(), exchange());
    m_names->reload();
}

void SearchCompanyDialog::accept()
{
    const int selected = selectedPosition(m_list);
    auto picked = m_form.accept(selected, cStrToDouble(m_lower->text().toStdString()),
                                cStrToDouble(m_upper->text().toStdString()));
    if (!picked || m_watchList.addEntry(*picked) == AddOutcome::NotStored)
        return;
    m_picked = std::move(picked);
    QDialog::accept();
}

void SearchCompanyDialog::addNewListing()
{
    // The listing is stored before its dialog closes: a store that fails says so once and
    // leaves the dialog open with what was typed.
    const auto save = [this](const NewListing &listing) {
        for (const WatchRow &row : listing.watchRows())
            if (m_watchList.addEntry(row) == AddOutcome::NotStored)
                return false;
        if (const auto stored = listing.store(m_ctx.database.companyList()); !stored) {
            m_ctx.messenger.inform(stored.error());
            return false;
        }
        return true;
    };
    if (!NewListingDialog::ask(m_ctx, this, {}, save))
        return;
    m_picked.reset();
    QDialog::accept();
}

std::optional<WatchRow> SearchCompanyDialog::ask(AppContext &ctx, WatchListSink &watchList,
                                                 QWidget *parent)
{
    SearchCompanyDialog dialog(ctx, watchList, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.picked();
}
