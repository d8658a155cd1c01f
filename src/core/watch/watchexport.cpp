#include "core/watch/watchexport.h"

#include "core/watch/logstamps.h"

#include <algorithm>

namespace watchexport {
namespace {
std::string field(const WatchListRow &row, int column)
{
    std::string text = row.cell(column);
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}
} // namespace

std::string content(const std::vector<WatchListRow> &rows)
{
    using namespace watchcol;
    std::string out = std::string(Header) + '\n';
    for (const WatchListRow &row : rows) {
        out += field(row, Name) + ',' + field(row, Indx) + ',' +
               logstamp::price(row.value(Price) - row.value(Change));
        for (int column : {Price, Change, Percent, Volume, Open, High, Low})
            out += ',' + field(row, column);
        out += '\n';
    }
    return out;
}

std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  const std::vector<WatchListRow> &rows)
{
    files.makeFolders(folder);
    const std::string path = folder + "/" + name + ".csv";
    switch (files.replace(path, content(rows))) {
    case DataFileSystem::Result::Done:
        return Exported + path;
    case DataFileSystem::Result::OpenFailed:
        return OpenFailed;
    default:
        return WriteFailed;
    }
}
} // namespace watchexport
