#include "chartrenderer.h"

#include "chartstyle.h"
#include "pricepanel.h"
#include "simtime.h"
#include "studypanel.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>

namespace {
// The symbol, range and name along the top; where the prices come from at the right.
int drawTitle(QPainter &painter, const ChartStyle &look, const QString &symbol, const QString &name,
              const QString &range, const QString &mark)
{
    const QFontMetricsF title(look.titleFont), plain(look.font);
    const int height = static_cast<int>(title.height()) + 6;
    const double baseline = 3 + title.ascent();
    painter.setFont(look.font);
    painter.setPen(ChartStyle::Faint);
    const QString &right = mark;
    const double rightWidth = plain.horizontalAdvance(right);
    painter.drawText(QPointF(look.width - look.margin - rightWidth, baseline), right);

    painter.setFont(look.titleFont);
    painter.setPen(ChartStyle::Text);
    const QString heading = symbol + QStringLiteral("  ") + range;
    painter.drawText(QPointF(look.margin, baseline), heading);
    const double x = look.margin + title.horizontalAdvance(heading) + 10;
    painter.setFont(look.font);
    painter.setPen(ChartStyle::Faint);
    painter.drawText(
        QPointF(x, baseline),
        plain.elidedText(name, Qt::ElideRight, look.width - look.margin - rightWidth - 10 - x));
    return height;
}
} // namespace

bool ChartRenderer::available()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

QImage ChartRenderer::image(const ChartOptions &options) const
{
    std::optional<ChartSubject> subject = m_market.chart(options.symbol, options.range);
    if (!subject || subject->series.shownCount() == 0)
        return noData(options);
    const ChartSeries &series = subject->series;
    std::vector<PricePanel::Compared> compared;
    for (const std::string &symbol : options.compare)
        if (std::optional<ChartSubject> other = m_market.chart(symbol, options.range))
            compared.push_back(
                {other->name.empty() ? other->symbol : other->name, std::move(other->series)});

    const ChartStyle look(options.large);
    const int studies = static_cast<int>(options.indicators.size());
    QImage image(look.width, look.mainHeight + studies * look.studyHeight, QImage::Format_RGB32);
    image.fill(ChartStyle::Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QString range = QString::fromLatin1(rangeTitle(options.range).data());
    if (options.range == ChartRange::Day) { // which day: the last one while the market is shut
        const simtime::CivilDate date = simtime::civilFromDays(series.bars.back().day());
        range += QStringLiteral(", %1 %2 %3")
                     .arg(date.day)
                     .arg(QLocale::c().monthName(date.month, QLocale::ShortFormat))
                     .arg(date.year);
    }
    const int top = drawTitle(painter, look, QString::fromStdString(subject->symbol),
                              QString::fromStdString(subject->name), range,
                              QString::fromStdString(m_market.label()));
    const double left = look.margin, right = look.width - look.axisWidth;
    const PricePanel prices(options, subject->symbol, series, std::move(compared));
    prices.draw(painter, QRect(0, top, look.width, look.mainHeight - top), left, right, look);
    for (int k = 0; k < studies; ++k)
        drawStudy(painter,
                  QRect(0, look.mainHeight + k * look.studyHeight, look.width, look.studyHeight),
                  options.indicators[static_cast<std::size_t>(k)], series, options.range, left,
                  right, look);
    return image;
}

QImage ChartRenderer::noData(const ChartOptions &options) const
{
    const ChartStyle look(options.large);
    QImage image(look.width, look.mainHeight, QImage::Format_RGB32);
    image.fill(ChartStyle::Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect plot(look.margin, look.margin, look.width - 2 * look.margin,
                     look.mainHeight - 2 * look.margin);
    painter.fillRect(plot, ChartStyle::Plot);
    painter.setPen(ChartStyle::Frame);
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    painter.setFont(look.titleFont);
    painter.setPen(ChartStyle::Text);
    const QString symbol = QString::fromStdString(options.symbol).trimmed();
    painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap,
                     symbol.isEmpty()
                         ? QStringLiteral("No symbol was given for the chart.")
                         : QStringLiteral("There is no chart data for %1.").arg(symbol));
    painter.setFont(look.font);
    painter.setPen(ChartStyle::Faint);
    painter.drawText(plot.adjusted(0, 0, -4, -2), Qt::AlignRight | Qt::AlignBottom,
                     QString::fromStdString(m_market.label()));
    return image;
}

std::string ChartRenderer::png(const ChartOptions &options) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Quick compression: a little larger on the wire, a third less time spent encoding.
    image(options).save(&buffer, "PNG", 80);
    return bytes.toStdString();
}
