#include "gui/common/qtmessenger.h"

#include <QMessageBox>

void QtMessenger::inform(const std::string &text)
{
    QMessageBox::information(m_parent, QStringLiteral("Vantrel"), QString::fromStdString(text));
}

bool QtMessenger::ask(const std::string &text)
{
    return QMessageBox::question(m_parent, QStringLiteral("Vantrel"), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
