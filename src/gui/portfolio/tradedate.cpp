#include "gui/portfolio/tradedate.h"

#include "gui/shell/appcontext.h"

QString todayText(const AppContext &ctx)
{
    const LocalTime now = ctx.clock.now();
    return QString::asprintf("%04d-%02d-%02d", now.year, now.month, now.day);
}
