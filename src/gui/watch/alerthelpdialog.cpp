#include "gui/watch/alerthelpdialog.h"

#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/shell/panelstyle.h"

#include <QLabel>

namespace {
QString columnsLine(const char *first, const char *a, const char *b)
{
    return QString::fromLatin1(first) +
           QStringLiteral("\"%1\" & \"%2\" columns.").arg(QLatin1String(a), QLatin1String(b));
}
} // namespace

const std::array<QString, 9> &AlertHelpDialog::texts()
{
    static const std::array<QString, 9> t = {
        QStringLiteral(
            "GREEN color indicates that Current Value is above or equal to Upper Limit/High"),
        QStringLiteral(
            "RED color indicates that Current Value is below or equal to Lower Limit/Low"),
        QStringLiteral("Alerts as Pop-up Msg = Alert will come as pop-up messages even when \n"
                       "                                     Vantrel is minimzed"),
        columnsLine("My Configured Alerts = Alert will come for your configured Ranges. For this\n"
                    "                            color is displayed in ",
                    "Company Name", "Index"),
        columnsLine("Day High//Low Alerts = Alert will come for Day High Low Ranges. For this\n"
                    "                                      color is displayed in ",
                    "Volume", "Open"),
        columnsLine("Year High//Low Alerts* = Alert will come for Year High Low Ranges. For this\n"
                    "                                       color is displayed in ",
                    "High", "Low"),
        QStringLiteral("(* Year High/Low may not be Upto Date )"),
        QStringLiteral(
            "EOD     =  If this is checked , data will be logged in C:\\Vantrel\\EODData\\\n"
            "<DateFolder> for all NSE stocks in Watch List with interval of Refresh Rate"),
        QStringLiteral(
            "LiveData  =  If this is checked ,data will be logged in C:\\Vantrel\\LiveData\\\n"
            "for all NSE stocks in WatchList after Refresh Rate Interval"),
    };
    return t;
}

AlertHelpDialog::AlertHelpDialog(QWidget *parent) : QDialog(parent)
{
    const DialogUnits du;
    setObjectName(QStringLiteral("alertHelpDialog"));
    setWindowTitle(QStringLiteral("ALERT & Data Logger Help"));
    setFixedSize(du.size(330, 196));
    applyPanelStyle(this);

    // Top and height of each text in dialog units; two-line texts get two lines.
    static constexpr int Tops[] = {7, 19, 35, 55, 75, 95, 115, 131, 153};
    for (std::size_t i = 0; i < texts().size(); ++i) {
        auto *label = new QLabel(texts()[i], this);
        label->setObjectName(QStringLiteral("text%1").arg(i));
        const bool twoLines = texts()[i].contains(QLatin1Char('\n'));
        label->setGeometry(du.rect(7, Tops[i], 316, twoLines ? 18 : 9));
    }
    auto *ok = new ColorButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(du.rect(140, 175, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AlertHelpDialog::run(QWidget *parent)
{
    AlertHelpDialog dialog(parent);
    dialog.exec();
}
