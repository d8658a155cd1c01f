#pragma once

#include "core/watch/datalogger.h"
#include "core/watch/watchrefresh.h"
#include "support/memorywatchlist.h"
#include "support/recordingmessenger.h"

#include <filesystem>
#include <fstream>
#include <random>

// The real file system, except that one operation on paths containing a given text fails.
struct FaultyFiles : StdDataFileSystem
{
    using Result = DataFileSystem::Result;
    enum Op { None, Read, Append, Replace } op = None;
    std::string where;
    Result result = Result::Done;

    bool hit(Op o, const std::string &file) const
    {
        return o == op && file.find(where) != std::string::npos;
    }
    Result readAll(const std::string &file, std::string &content) override
    {
        return hit(Read, file) ? result : StdDataFileSystem::readAll(file, content);
    }
    Result append(const std::string &file, std::string_view text) override
    {
        return hit(Append, file) ? result : StdDataFileSystem::append(file, text);
    }
    Result replace(const std::string &file, std::string_view text) override
    {
        return hit(Replace, file) ? result : StdDataFileSystem::replace(file, text);
    }
};

// A watch list and the bar's indices writing into their own data folder on a fixed Friday.
struct WatchBed
{
    std::filesystem::path root = std::filesystem::temp_directory_path() /
                                 ("vantrel-watch-" + std::to_string(std::random_device{}()));
    MemoryWatchList store;
    RecordingMessenger messenger;
    WatchList list{store, messenger};
    IndexBoard board;
    FixedClock clock{makeLocalTime(2026, 12, 4, 10, 0, 0)};
    FaultyFiles files;
    DataLogger logger{files, clock, root.string()};

    WatchBed() { std::filesystem::create_directories(root); }
    ~WatchBed() { std::filesystem::remove_all(root); }

    void at(int hour, int minute, int second, int day = 4)
    {
        clock.set(makeLocalTime(2026, 12, day, hour, minute, second));
    }
    // One main refresh: the watch list runs while the bar still holds the previous indices.
    WatchRefreshReport refreshAll()
    {
        WatchRefreshReport report = refreshWatchList(list, board, logger, clock);
        board.updateRows();
        return report;
    }
    std::string read(const std::string &relative) const
    {
        std::ifstream in(root / relative, std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
    }
};
