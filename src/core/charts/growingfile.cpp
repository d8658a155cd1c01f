#include "core/charts/growingfile.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
constexpr std::size_t HeadBytes = 64;

class ReadFile
{
public:
    explicit ReadFile(const std::string &utf8)
    {
        const fs::path path(std::u8string(utf8.begin(), utf8.end()));
#ifdef _WIN32
        m_file = _wfopen(path.c_str(), L"rb");
#else
        m_file = std::fopen(path.c_str(), "rb");
#endif
    }
    ~ReadFile()
    {
        if (m_file)
            std::fclose(m_file);
    }
    ReadFile(const ReadFile &) = delete;
    ReadFile &operator=(const ReadFile &) = delete;

    bool isOpen() const
    {
        return m_file != nullptr;
    }
    std::uint64_t size()
    {
        std::fseek(m_file, 0, SEEK_END);
        const long end = std::ftell(m_file);
        return end < 0 ? 0 : std::uint64_t(end);
    }
    bool seek(std::uint64_t at)
    {
        return std::fseek(m_file, long(at), SEEK_SET) == 0;
    }
    std::size_t read(char *buffer, std::size_t n)
    {
        return std::fread(buffer, 1, n, m_file);
    }

private:
    std::FILE *m_file = nullptr;
};
} // namespace

GrowingFile::Status GrowingFile::poll(const std::function<void(std::string_view)> &onLine)
{
    ReadFile file(m_path);
    if (!file.isOpen())
        return Status::Missing;
    const std::uint64_t size = file.size();
    char head[HeadBytes];
    file.seek(0);
    const std::string nowHead(head, file.read(head, std::min<std::uint64_t>(size, HeadBytes)));
    Status status = Status::Read;
    const bool sameFile = size >= m_offset && nowHead.compare(0, m_head.size(), m_head) == 0;
    if (!sameFile || m_offset == 0) {
        status = m_offset == 0 && m_head.empty() ? Status::Read : Status::Restarted;
        m_offset = 0;
        m_partial.clear();
        m_skipping = false;
        if (size > TailBytes) {
            m_offset = size - TailBytes;
            m_skipping = true; // the line the tail cuts through
        }
    }
    m_head = nowHead;
    if (!file.seek(m_offset))
        return status;
    char buffer[1 << 16];
    std::size_t n;
    while ((n = file.read(buffer, sizeof buffer)) > 0) {
        m_offset += n;
        take(std::string_view(buffer, n), onLine);
    }
    return status;
}

void GrowingFile::take(std::string_view chunk, const std::function<void(std::string_view)> &onLine)
{
    while (!chunk.empty()) {
        const std::size_t end = chunk.find('\n');
        const std::string_view piece = chunk.substr(0, end);
        if (end == std::string_view::npos) {
            if (!m_skipping)
                m_partial.append(piece);
            if (m_partial.size() > MaxLine) {
                m_partial.clear();
                m_skipping = true;
            }
            return;
        }
        if (m_skipping) {
            m_skipping = false;
        } else if (m_partial.empty()) {
            if (piece.size() <= MaxLine)
                onLine(piece);
        } else {
            m_partial.append(piece);
            if (m_partial.size() <= MaxLine)
                onLine(m_partial);
            m_partial.clear();
        }
        chunk.remove_prefix(end + 1);
    }
}

bool readWholeLines(const std::string &path, std::string &content, std::size_t maxBytes)
{
    ReadFile file(path);
    content.clear();
    if (!file.isOpen())
        return false;
    content.resize(maxBytes);
    content.resize(file.read(content.data(), maxBytes));
    content.erase(content.rfind('\n') == std::string::npos ? 0 : content.rfind('\n') + 1);
    return true;
}
