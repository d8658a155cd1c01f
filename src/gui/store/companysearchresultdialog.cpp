#include "gui/store/companysearchresultdialog.h"

#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"
#include "gui/store/searchresults.h"

#include <QLabel>
#include <QListView>

CompanySearchResultDialog::CompanySearchResultDialog(AppContext &ctx, const std::string &text,
                                                     Exchange exchange, QWidget *parent)
    : QDialog(parent), m_search(ctx.database.companyList(), ctx.messenger)
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("companySearchResultDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(parts.units().size(200, 152));
    applyPanelStyle(this);

    m_names = new CompanyNamesModel(m_search, this);
    m_list = parts.place(makeResultList(m_names, this), "resultList", 7, 7, 186, 100);
    parts.label(nullptr, QString::fromLatin1(NewListingHint), 7, 110, 186, 18)->setWordWrap(true);
    auto *ok = parts.button("ok", QStringLiteral("OK"), 46, 132, 50, 14);
    ok->setDefault(true);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 104, 132, 50, 14);
    connect(m_list, &QListView::doubleClicked, this, &CompanySearchResultDialog::accept);
    connect(ok, &QPushButton::clicked, this, &CompanySearchResultDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_search.setRowLimit(MaximumResults);
    m_search.search(text, exchange);
    m_names->reload();
}

void CompanySearchResultDialog::accept()
{
    const CompanyRow *row = m_search.rowAt(selectedPosition(m_list));
    if (!row) {
        // Nothing chosen is no choice: the holding keeps what it had.
        reject();
        return;
    }
    m_choice = CompanyChoice{row->name, m_search.exchange(), row->symbol(m_search.exchange())};
    QDialog::accept();
}

std::optional<CompanyChoice> CompanySearchResultDialog::ask(AppContext &ctx,
                                                            const std::string &text,
                                                            Exchange exchange, QWidget *parent)
{
    CompanySearchResultDialog dialog(ctx, text, exchange, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
