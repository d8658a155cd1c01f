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

long ownDescriptors()
{
    const std::multiset<std::string> threads = threadNames();
    return openDescriptors() - long(threads.count("Thread (pooled)"));
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

std::multiset<std::string> threadNames()
{
    std::multiset<std::string> out;
    DIR *dir = opendir("/proc/self/task");
    if (!dir)
        return out;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string path = std::string("/proc/self/task/") + entry->d_name + "/comm";
        char name[64] = {};
        if (std::FILE *comm = std::fopen(path.c_str(), "r")) {
            if (std::fgets(name, sizeof name, comm))
                name[std::strcspn(name, "\n")] = '\0';
            std::fclose(comm);
        }
        out.insert(name);
    }
    closedir(dir);
    return out;
}

long long processorWaitNs()
{
    std::FILE *stat = std::fopen("/proc/thread-self/schedstat", "r");
    if (!stat)
        return -1;
    long long running = 0, waiting = -1;
    if (std::fscanf(stat, "%lld %lld", &running, &waiting) != 2)
        waiting = -1;
    std::fclose(stat);
    return waiting;
}

} // namespace procstats
