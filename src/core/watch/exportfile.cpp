#include "core/watch/exportfile.h"

#include <algorithm>

namespace exportfile {
std::string write(DataFileSystem &files, const std::string &folder, const std::string &fileName,
                  std::string_view content, const char *exported)
{
    files.makeFolders(folder);
    const std::string path = folder + "/" + fileName;
    switch (files.replace(path, content)) {
    case DataFileSystem::Result::Done:
        return exported + path;
    case DataFileSystem::Result::OpenFailed:
        return OpenFailed;
    default:
        return WriteFailed;
    }
}

std::string withoutCommas(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}
} // namespace exportfile
