#include "gui/portfolio/profitcalculatordialog.h"

#include "gui/controls/colorbutton.h"
#include "gui/controls/colourlabel.h"
#include "gui/controls/fieldedits.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
ColourLabel *resultLabel(DialogParts &parts, QWidget *dialog, const char *id, const char *face,
                         int y)
{
    auto *label = parts.place(new ColourLabel(dialog), id, 75, y, 170, 20);
    QFont font{QString::fromLatin1(face)};
    font.setPixelSize(24);
    font.setWeight(QFont::Bold);
    label->setFont(font);
    label->setTextColour(colours::Blue);
    return label;
}

// One question's frame: three edits under their captions, "Calculate", the result.
struct Question
{
    QLineEdit *edits[3];
    QPushButton *calculate;
};

Question question(DialogParts &parts, QWidget *dialog, int y, const char *title,
                  const char *const (&captions)[3], const char *const (&ids)[4],
                  const char *resultCaption)
{
    parts.place(new QGroupBox(QString::fromLatin1(title), dialog), nullptr, 7, y, 246, 76);
    Question q{};
    for (int i = 0; i < 3; ++i) {
        const int x = 12 + i * 58;
        parts.label(nullptr, QString::fromLatin1(captions[i]), x, y + 10, 54, 25,
                    Qt::AlignLeft | Qt::AlignBottom);
        q.edits[i] = parts.edit(ids[i], x, y + 36, 54, 13);
        q.edits[i]->setText(QStringLiteral("0"));
    }
    q.calculate = parts.button(ids[3], QStringLiteral("Calculate"), 190, y + 36, 55, 14);
    parts.label(nullptr, QString::fromLatin1(resultCaption), 12, y + 54, 60, 18);
    return q;
}
} // namespace

ProfitCalculatorDialog::ProfitCalculatorDialog(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_messenger(ctx.messenger), m_brokers(ctx.database.brokers(), ctx.messenger)
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("profitCalculatorDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(parts.units().size(260, 206));
    applyPanelStyle(this);

    m_kind = new QButtonGroup(this);
    m_kind->addButton(
        parts.place(new QRadioButton(QStringLiteral("Delivery"), this), "delivery", 7, 7, 48, 10),
        int(TradeKind::Delivery));
    m_kind->addButton(
        parts.place(new QRadioButton(QStringLiteral("Intraday"), this), "intraday", 57, 7, 48, 10),
        int(TradeKind::Intraday));
    m_kind->button(int(TradeKind::Delivery))->setChecked(true);
    parts.label(nullptr, QStringLiteral("Broker"), 110, 8, 28, 8);
    m_broker = parts.place(new QComboBox(this), "broker", 140, 6, 113, 13);

    const Question q1 = question(
        parts, this, 22, "To Gain Certain Amount, what should be Selling Price ?",
        {"No. of Shares", "Avg Cost Price", "Looking for\nGain(in Rs)"},
        {"q1Shares", "q1AverageCost", "q1Gain", "q1Calculate"}, "Selling Price :\n(per share)");
    const Question q2 = question(
        parts, this, 102, "If sold at Certain Price, what will be my Profit/Loss ?",
        {"No. of Shares", "Avg Cost Price", "Selling\nPrice\n( per share)"},
        {"q2Shares", "q2AverageCost", "q2SellingPrice", "q2Calculate"}, "Total\nProfit/Loss :");
    m_shares1 = q1.edits[0], m_cost1 = q1.edits[1], m_gain = q1.edits[2];
    m_shares2 = q2.edits[0], m_cost2 = q2.edits[1], m_price = q2.edits[2];
    m_result1 = resultLabel(parts, this, "q1Result", "MyFontd", 74);
    m_result2 = resultLabel(parts, this, "q2Result", "MyFonti", 154);
    auto *close = parts.button("close", QStringLiteral("Close"), 105, 186, 50, 14);

    connect(q1.calculate, &QPushButton::clicked, this, &ProfitCalculatorDialog::question1);
    connect(q2.calculate, &QPushButton::clicked, this, &ProfitCalculatorDialog::question2);
    connect(m_kind, &QButtonGroup::idClicked, this, &ProfitCalculatorDialog::both);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_brokers.load();
    for (const BrokerEntry &broker : m_brokers.brokers())
        m_broker->addItem(QString::fromStdString(broker.name));
    connect(m_broker, &QComboBox::currentIndexChanged, this, &ProfitCalculatorDialog::both);
    if (m_brokers.brokers().empty()) {
        m_messenger.inform(ProfitCalculator::NoBrokerMessage);
        return;
    }
    both();
}

std::optional<ProfitCalculatorDialog::Inputs> ProfitCalculatorDialog::take()
{
    Inputs in{};
    const auto kind = TradeKind(m_kind->checkedId());
    if (const int at = m_broker->currentIndex(); at >= 0)
        in.rates = ratesOf(m_brokers.brokers().at(std::size_t(at)), kind);
    const auto shares = [this](QLineEdit *edit) {
        return readInteger(edit, 0, ProfitCalculator::MaximumShares, m_messenger);
    };
    const auto price = [this](QLineEdit *edit) {
        return readNumber(edit, 0, ProfitCalculator::MaximumPrice, m_messenger);
    };
    const auto s1 = shares(m_shares1);
    const auto c1 = s1 ? price(m_cost1) : std::nullopt;
    const auto g =
        c1 ? readNumber(m_gain, 0, ProfitCalculator::MaximumGain, m_messenger) : std::nullopt;
    const auto s2 = g ? shares(m_shares2) : std::nullopt;
    const auto c2 = s2 ? price(m_cost2) : std::nullopt;
    const auto p = c2 ? price(m_price) : std::nullopt;
    if (!p)
        return std::nullopt;
    in.shares1 = *s1, in.cost1 = *c1, in.gain = *g;
    in.shares2 = *s2, in.cost2 = *c2, in.price = *p;
    return in;
}

void ProfitCalculatorDialog::question1()
{
    if (const auto in = take())
        m_result1->setText(QString::fromStdString(
            ProfitCalculator(in->rates).sellingPriceFor(in->shares1, in->cost1, in->gain)));
}

void ProfitCalculatorDialog::question2()
{
    if (const auto in = take())
        m_result2->setText(QString::fromStdString(
            ProfitCalculator(in->rates).profitLossAt(in->shares2, in->cost2, in->price)));
}

void ProfitCalculatorDialog::both()
{
    // Both answers come from the same values; taken once, a wrong one is reported once.
    if (const auto in = take()) {
        const ProfitCalculator calculator(in->rates);
        m_result1->setText(
            QString::fromStdString(calculator.sellingPriceFor(in->shares1, in->cost1, in->gain)));
        m_result2->setText(
            QString::fromStdString(calculator.profitLossAt(in->shares2, in->cost2, in->price)));
    }
}

void ProfitCalculatorDialog::run(AppContext &ctx, QWidget *parent)
{
    ProfitCalculatorDialog dialog(ctx, parent);
    dialog.exec();
}
