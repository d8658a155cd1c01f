#include "support/testsim.h"

bool TestSim::startWith(const QStringList &extra, int seed)
{
    QStringList args{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"), QString::number(seed),
                     QStringLiteral("--clock"), QString::fromLatin1(DefaultClock)};
    args += extra;
    return start(locate(), args);
}
