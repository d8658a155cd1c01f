#pragma once

#include "core/common/messenger.h"
#include "core/store/stores.h"

#include <filesystem>
#include <string>

// What the benchmarks stand in with: a watch list table that keeps nothing, message boxes
// nobody sees, and a folder in memory where the machine has one, since disk write-back would
// drown the figures in noise.
class NullStore : public WatchListStore
{
public:
    StoreResult<std::vector<WatchRow>> load() override { return std::vector<WatchRow>{}; }
    StoreStatus save(const std::vector<WatchRow> &) override { return storeOk(); }
    StoreStatus insert(const WatchRow &) override { return storeOk(); }
    StoreResult<bool> setAlert(std::string_view, int, double, double) override { return true; }
    StoreResult<std::vector<WatchRow>> nseRows() override { return std::vector<WatchRow>{}; }
};

class SilentMessenger : public Messenger
{
public:
    void inform(const std::string &) override {}
    bool ask(const std::string &) override { return false; }
};

inline std::filesystem::path benchFolder(const std::string &name)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path shm("/dev/shm");
    return (fs::is_directory(shm, ec) ? shm : fs::temp_directory_path()) / name;
}
