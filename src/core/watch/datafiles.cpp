#include "core/watch/datafiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {
fs::path pathOf(const std::string &utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}
} // namespace

bool StdDataFileSystem::makeFolders(const std::string &folder)
{
    std::error_code ec;
    const fs::path path = pathOf(folder);
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

DataFileSystem::Result StdDataFileSystem::readAll(const std::string &file, std::string &content)
{
    // "a+": created when missing, the content kept.
    std::fstream f(pathOf(file), std::ios::in | std::ios::out | std::ios::app);
    if (!f.is_open())
        return Result::OpenFailed;
    content.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return f.bad() ? Result::ReadFailed : Result::Done;
}

DataFileSystem::Result StdDataFileSystem::append(const std::string &file, std::string_view text)
{
    std::ofstream f(pathOf(file), std::ios::out | std::ios::app);
    if (!f.is_open())
        return Result::OpenFailed;
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    f.close();
    return f.fail() ? Result::WriteFailed : Result::Done;
}

DataFileSystem::Result StdDataFileSystem::replace(const std::string &file, std::string_view text)
{
    const fs::path target = pathOf(file);
    fs::path aside = target;
    aside += ".new";
    std::ofstream f(aside, std::ios::out | std::ios::trunc);
    if (!f.is_open())
        return Result::OpenFailed;
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    f.close();
    std::error_code ec;
    if (f.fail() || (fs::rename(aside, target, ec), ec)) {
        fs::remove(aside, ec);
        return Result::WriteFailed;
    }
    return Result::Done;
}
