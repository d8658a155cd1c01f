#include "gui/portfolio/gainsyeardialog.h"

#include "gui/shell/panelstyle.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

GainsYearDialog::GainsYearDialog(const std::vector<FinancialYear> &years, FinancialYear current,
                                 QWidget *parent)
    : QDialog(parent), m_choices(years), m_years(new QComboBox(this))
{
    setObjectName(QStringLiteral("gainsYearDialog"));
    setWindowTitle(QStringLiteral("Export Gains"));
    applyPanelStyle(this);
    m_years->setObjectName(QStringLiteral("year"));
    for (const FinancialYear &year : m_choices) {
        m_years->addItem(QString::fromStdString(year.name()));
        if (year == current)
            m_years->setCurrentIndex(m_years->count() - 1);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Financial year"), m_years);
    layout->addRow(buttons);
}

FinancialYear GainsYearDialog::chosen() const
{
    return m_choices.at(std::size_t(m_years->currentIndex()));
}

std::optional<FinancialYear> GainsYearDialog::ask(const std::vector<FinancialYear> &years,
                                                  FinancialYear current, QWidget *parent)
{
    if (years.empty())
        return std::nullopt;
    GainsYearDialog dialog(years, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}
