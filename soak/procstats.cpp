#include "procstats.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace procstats {

long residentKb()
{
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kb = std::strtol(line + 6, nullptr, 10);
    std::fclose(status);
    return kb;
}

long openDescriptors()
{
    DIR *dir = opendir("/proc/self/fd");
    if (!dir)
        return -1;
    long count = 0;
    while (const dirent *entry = readdir(dir))
        if (entry->d_name[0] != '.')
            ++count;
    closedir(dir);
    return count - 1; // the listing's own
}

std::multiset<std::string> descriptorTargets()
{
    std::multiset<std::string> out;
    DIR *dir = opendir("/proc/self/fd");
    if (!dir)
        return out;
    const std::string own = std::to_string(dirfd(dir));
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.' || entry->d_name == own)
            continue;
        char target[512];
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
        out.insert(n > 0 ? std::string(target, std::size_t(n)) : "?");
    }
    closedir(dir);
    return out;
}

} // namespace procstats
