#include "core/common/datafiles.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
fs::path pathOf(const std::string &utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// Plain C files in text mode: one system call each to open, write and close, which is all
// that fifty appends per refresh should cost.
class StdioFile
{
public:
    StdioFile(const fs::path &path, const char *mode)
    {
#ifdef _WIN32
        const std::string m(mode);
        m_file = _wfopen(path.c_str(), std::wstring(m.begin(), m.end()).c_str());
#else
        m_file = std::fopen(path.c_str(), mode);
#endif
    }
    ~StdioFile()
    {
        close();
    }
    StdioFile(const StdioFile &) = delete;
    StdioFile &operator=(const StdioFile &) = delete;

    bool isOpen() const
    {
        return m_file != nullptr;
    }
    bool write(std::string_view text)
    {
        return std::fwrite(text.data(), 1, text.size(), m_file) == text.size();
    }
    bool readAll(std::string &content)
    {
        char buffer[8192];
        content.clear();
        std::rewind(m_file); // where "a+" starts reading differs between C libraries
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0)
            content.append(buffer, n);
        return !std::ferror(m_file);
    }
    // False when anything buffered could not be written.
    bool close()
    {
        const bool ok = m_file == nullptr || std::fclose(m_file) == 0;
        m_file = nullptr;
        return ok;
    }

private:
    std::FILE *m_file = nullptr;
};
} // namespace

bool StdDataFileSystem::makeFolders(const std::string &folder)
{
    std::error_code ec;
    const fs::path path = pathOf(folder);
    if (fs::is_directory(path, ec))
        return true;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

DataFileSystem::Result StdDataFileSystem::readAll(const std::string &file, std::string &content)
{
    StdioFile f(pathOf(file), "a+"); // created when missing, the content kept
    if (!f.isOpen())
        return Result::OpenFailed;
    return f.readAll(content) ? Result::Done : Result::ReadFailed;
}

DataFileSystem::Result StdDataFileSystem::append(const std::string &file, std::string_view text)
{
    const fs::path path = pathOf(file);
    StdioFile f(path, "a");
    if (!f.isOpen())
        return Result::OpenFailed;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    const bool written = f.write(text);
    if (f.close() && written)
        return Result::Done;
    // A disk that filled up halfway through the text keeps its first part: cut it off again,
    // so that the next line, once there is room, starts a line of its own.
    if (!ec)
        fs::resize_file(path, size, ec);
    return Result::WriteFailed;
}

DataFileSystem::Result StdDataFileSystem::replace(const std::string &file, std::string_view text)
{
    const fs::path target = pathOf(file);
    fs::path aside = target;
    aside += ".new";
    StdioFile f(aside, "w");
    if (!f.isOpen())
        return Result::OpenFailed;
    const bool written = f.write(text);
    std::error_code ec;
    if (!f.close() || !written || (fs::rename(aside, target, ec), ec)) {
        fs::remove(aside, ec);
        return Result::WriteFailed;
    }
    return Result::Done;
}
