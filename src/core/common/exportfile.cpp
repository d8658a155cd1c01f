#include "core/common/exportfile.h"

#include "core/common/blanktext.h"

#include <algorithm>

namespace exportfile {
std::string nameProblem(std::string_view name)
{
    if (name.empty())
        return NameMissing;
    if (name == "." || name == "..")
        return NameNotPlain;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const bool c1 = byte == 0xC2 && i + 1 < name.size() &&
                        static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(name[i + 1]) <= 0x9F;
        // Either separator: a name made here may be opened on the other platform.
        if (byte < 0x20 || byte == 0x7F || c1 || byte == '/' || byte == '\\')
            return NameNotPlain;
    }
    return characterCount(name) > std::size_t(NameMaxLength) ? NameNotPlain : std::string();
}

std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  std::string_view content, const char *exported, std::string_view prefix)
{
    if (std::string problem = nameProblem(name); !problem.empty())
        return problem;
    files.makeFolders(folder);
    const std::string path = folder + "/" + std::string(prefix) + name + ".csv";
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
