#include "core/toppers/toppersexport.h"

#include "core/net/cnumber.h"
#include "core/watch/logstamps.h"

#include <algorithm>

namespace toppersexport {
namespace {
std::string cell(const ToppersRow &row, int column)
{
    std::string text = toppersCellText(row, column);
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}
} // namespace

std::string content(const std::vector<ToppersRow> &rows)
{
    using namespace topperscol;
    std::string out = std::string(Header) + '\n';
    for (const ToppersRow &row : rows) {
        const std::string price = cell(row, Price);
        const std::string percent = cell(row, Percent);
        const double p = cStrToDouble(price);
        const double change = cStrToDouble(percent) * p * 0.01;
        out += cell(row, Name) + ',' + logstamp::price(p - change) + ',' + price + ',' +
               logstamp::price(change) + ',' + percent;
        for (int column : {Volume, Turnover, Open, High, Low})
            out += ',' + cell(row, column);
        out += '\n';
    }
    return out;
}

std::string write(DataFileSystem &files, const std::string &folder, Exchange exchange,
                  const std::string &name, const std::vector<ToppersRow> &rows)
{
    files.makeFolders(folder);
    const std::string path =
        folder + "/" + std::string(exchangeCode(exchange)) + "_" + name + ".csv";
    switch (files.replace(path, content(rows))) {
    case DataFileSystem::Result::Done:
        return Exported + path;
    case DataFileSystem::Result::OpenFailed:
        return OpenFailed;
    default:
        return WriteFailed;
    }
}
} // namespace toppersexport
