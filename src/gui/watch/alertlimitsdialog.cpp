#include "gui/watch/alertlimitsdialog.h"

#include "core/common/messenger.h"
#include "core/net/cnumber.h"
#include "core/store/watchsearchform.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/controls/fieldedits.h"
#include "gui/shell/panelstyle.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
QLineEdit *limitEdit(QWidget *parent, const char *name, double value, const QRect &geometry)
{
    auto *edit = new QLineEdit(numberText(value), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), edit));
    edit->setGeometry(geometry);
    return edit;
}
} // namespace

AlertLimitsDialog::AlertLimitsDialog(Messenger &messenger, const QString &company, double price,
                                     const AlertLimits &current, Save save, QWidget *parent)
    : QDialog(parent), m_messenger(messenger), m_save(std::move(save))
{
    const DialogUnits du;
    setObjectName(QStringLiteral("alertLimitsDialog"));
    setWindowTitle(QStringLiteral("Set Limits for ALERT"));
    setFixedSize(du.size(170, 100));
    applyPanelStyle(this);

    auto *name = new QLabel(company, this);
    name->setObjectName(QStringLiteral("companyName"));
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(du.rect(7, 7, 156, 10));
    m_setAlert = new QCheckBox(QStringLiteral("Set Alert"), this);
    m_setAlert->setObjectName(QStringLiteral("setAlert"));
    m_setAlert->setGeometry(du.rect(12, 22, 80, 10));
    m_setAlert->setChecked(current.alert == 1);

    const bool alertSet = current.alert == 1;
    (new QLabel(QStringLiteral("Lower Limit"), this))->setGeometry(du.rect(12, 41, 50, 8));
    m_lower = limitEdit(this, "alertLowerLimit", alertSet ? current.lowerLimit : price,
                        du.rect(70, 39, 80, 12));
    (new QLabel(QStringLiteral("Upper Limit"), this))->setGeometry(du.rect(12, 58, 50, 8));
    m_upper = limitEdit(this, "alertUpperLimit", alertSet ? current.upperLimit : price,
                        du.rect(70, 56, 80, 12));
    const auto follow = [this](bool on) {
        m_lower->setEnabled(on);
        m_upper->setEnabled(on);
    };
    follow(alertSet);
    connect(m_setAlert, &QCheckBox::toggled, this, follow);

    auto *ok = new ColorButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(du.rect(30, 78, 50, 14));
    ok->setDefault(true);
    auto *cancel = new ColorButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(du.rect(90, 78, 50, 14));
    connect(ok, &QPushButton::clicked, this, &AlertLimitsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void AlertLimitsDialog::accept()
{
    if (!m_setAlert->isChecked()) {
        if (saved(AlertLimits{}))
            QDialog::accept();
        return;
    }
    const double lower = cStrToDouble(m_lower->text().toStdString());
    const double upper = cStrToDouble(m_upper->text().toStdString());
    if (!WatchSearchForm::limitsInRange(lower, upper, m_messenger) ||
        !WatchSearchForm::alertLimitsValid(lower, upper, m_messenger))
        return;
    if (saved(AlertLimits{1, lower, upper}))
        QDialog::accept();
}

bool AlertLimitsDialog::saved(const AlertLimits &limits)
{
    // A failed save has shown its error; the dialog stays as the user left it.
    if (m_save && !m_save(limits))
        return false;
    m_limits = limits;
    return true;
}

std::optional<AlertLimits> AlertLimitsDialog::ask(Messenger &messenger, const QString &company,
                                                  double price, const AlertLimits &current,
                                                  Save save, QWidget *parent)
{
    AlertLimitsDialog dialog(messenger, company, price, current, std::move(save), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.limits();
}
