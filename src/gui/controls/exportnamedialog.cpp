#include "gui/controls/exportnamedialog.h"

#include "core/common/messenger.h"
#include "core/controls/exportname.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/shell/panelstyle.h"

#include <QLabel>
#include <QLineEdit>

ExportNameDialog::ExportNameDialog(const Clock &clock, Messenger &messenger, QWidget *parent)
    : QDialog(parent), m_messenger(messenger)
{
    const DialogUnits du;
    setObjectName(QStringLiteral("exportNameDialog"));
    setWindowTitle(QStringLiteral("Export to CSV"));
    setFixedSize(du.size(186, 71));
    applyPanelStyle(this);

    auto *prompt =
        new QLabel(QStringLiteral("Write the File Name without the Extension CSV"), this);
    prompt->setGeometry(du.rect(10, 8, 170, 10));
    m_edit = new QLineEdit(QString::fromStdString(defaultExportName(clock.now())), this);
    m_edit->setObjectName(QStringLiteral("fileName"));
    m_edit->setMaxLength(ExportNameMaxLength);
    m_edit->setGeometry(du.rect(10, 22, 166, 13));

    auto *ok = new ColorButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(du.rect(38, 48, 50, 14));
    ok->setDefault(true);
    auto *cancel = new ColorButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(du.rect(98, 48, 50, 14));
    connect(ok, &QPushButton::clicked, this, &ExportNameDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ExportNameDialog::accept()
{
    const ExportNameAnswer answer = acceptExportName(m_edit->text().toStdString());
    if (!answer.problem.empty()) {
        m_messenger.inform(answer.problem);
        return;
    }
    m_name = QString::fromStdString(answer.name);
    QDialog::accept();
}

std::optional<QString> ExportNameDialog::ask(const Clock &clock, Messenger &messenger,
                                             QWidget *parent)
{
    ExportNameDialog dialog(clock, messenger, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.name();
}
