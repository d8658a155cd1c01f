#pragma once

#include "core/gains/financialyear.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;

// "Export Gains": which financial year to report, the current one proposed.
class GainsYearDialog : public QDialog
{
    Q_OBJECT
public:
    GainsYearDialog(const std::vector<FinancialYear> &years, FinancialYear current,
                    QWidget *parent = nullptr);

    static std::optional<FinancialYear> ask(const std::vector<FinancialYear> &years,
                                            FinancialYear current, QWidget *parent);

    QComboBox *years() const { return m_years; }
    FinancialYear chosen() const;

private:
    std::vector<FinancialYear> m_choices;
    QComboBox *m_years;
};
