#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

// One line per request, the target exactly as received, appended and flushed at once so a
// test can read the file while the simulator runs.
class AccessLog
{
public:
    AccessLog() = default;
    ~AccessLog();
    AccessLog(const AccessLog &) = delete;
    AccessLog &operator=(const AccessLog &) = delete;

    bool open(const std::string &path);
    void write(std::string_view target);

private:
    std::mutex m_mutex;
    std::FILE *m_file = nullptr;
};
