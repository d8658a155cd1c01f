#include "accesslog.h"

AccessLog::~AccessLog()
{
    if (m_file)
        std::fclose(m_file);
}

bool AccessLog::open(const std::string &path)
{
    std::lock_guard lock(m_mutex);
    if (m_file)
        std::fclose(m_file);
    m_file = std::fopen(path.c_str(), "a");
    return m_file != nullptr;
}

void AccessLog::write(std::string_view target)
{
    std::lock_guard lock(m_mutex);
    if (!m_file)
        return;
    std::fwrite(target.data(), 1, target.size(), m_file);
    std::fputc('\n', m_file);
    std::fflush(m_file);
}
