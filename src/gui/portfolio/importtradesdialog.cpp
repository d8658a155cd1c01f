#include "gui/portfolio/importtradesdialog.h"

#include "core/trades/companynames.h"
#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"
#include "platform/store/tradebookfile.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

ImportTradesDialog::ImportTradesDialog(AppContext &ctx, const QString &file,
                                       const std::vector<BrokerEntry> &brokers, QWidget *parent)
    : QDialog(parent), m_ctx(ctx)
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("importTradesDialog"));
    setWindowTitle(QStringLiteral("Import Trades"));
    setFixedSize(parts.units().size(300, 200));
    applyPanelStyle(this);

    parts.label("file", QFileInfo(file).fileName(), 7, 7, 286, 8);
    parts.label(nullptr, QStringLiteral("Broker"), 7, 21, 30, 8);
    m_broker = parts.place(new QComboBox(this), "broker", 40, 19, 140, 13);
    m_broker->addItem(QStringLiteral("(none: no charges)"));
    m_brokerIds.push_back(0);
    for (const BrokerEntry &broker : brokers) {
        m_broker->addItem(QString::fromStdString(broker.name));
        m_brokerIds.push_back(broker.id);
    }
    m_text = parts.place(new QPlainTextEdit(this), "preview", 7, 37, 286, 136);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_import = parts.button("import", QStringLiteral("Import"), 183, 180, 50, 14);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 243, 180, 50, 14);
    connect(m_import, &QPushButton::clicked, this, &ImportTradesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const Tradebook book = readTradebookFile(file);
    if (!book.error.empty()) {
        m_text->setPlainText(QString::fromStdString(book.error + "\n\nNothing can be imported."));
        m_import->setEnabled(false);
        return;
    }
    auto stored = ctx.database.trades().loadAll();
    if (!stored) {
        m_text->setPlainText(QString::fromStdString(stored.error()));
        m_import->setEnabled(false);
        return;
    }
    m_preview = previewImport(book, stored.value(), 0);
    nameCompanies(ctx.database.companyList(), m_preview.toAdd);
    m_text->setPlainText(QString::fromStdString(describePreview(m_preview)));
    m_import->setEnabled(!m_preview.toAdd.empty());
}

void ImportTradesDialog::accept()
{
    const int broker = m_broker->currentIndex();
    const long brokerId = broker >= 0 ? m_brokerIds[std::size_t(broker)] : 0;
    std::vector<Trade> trades;
    trades.reserve(m_preview.toAdd.size());
    for (const TradebookRow &row : m_preview.toAdd) {
        trades.push_back(row.trade);
        trades.back().brokerId = brokerId;
    }
    if (auto stored = m_ctx.database.trades().insertAll(trades); !stored) {
        m_ctx.messenger.inform("Nothing was imported: " + stored.error());
        return;
    }
    QDialog::accept();
}

bool ImportTradesDialog::run(AppContext &ctx, const std::vector<BrokerEntry> &brokers,
                             QWidget *parent)
{
    const QString file =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Import Trades"), ctx.dataRoot,
                                     QStringLiteral("Tradebooks (*.csv);;All files (*)"));
    if (file.isEmpty())
        return false;
    ImportTradesDialog dialog(ctx, file, brokers, parent);
    return dialog.exec() == QDialog::Accepted;
}
