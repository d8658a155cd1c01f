#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// A data file that another part of the program keeps appending to, read from where the last
// read stopped. Only whole lines are handed out: a line still being written waits for its
// end. A file that was replaced or cut short is read again from its start, and of a file far
// larger than any trading day only the tail is read.
class GrowingFile
{
public:
    static constexpr std::uint64_t TailBytes = 1 << 20;
    static constexpr std::size_t MaxLine = 4096;

    enum class Status { Read, Restarted, Missing };

    explicit GrowingFile(std::string path) : m_path(std::move(path)) {}

    // Hands every new complete line to onLine, without its "\n". Restarted: the file is not
    // the one read before, and onLine got it from its start.
    Status poll(const std::function<void(std::string_view)> &onLine);

    const std::string &path() const { return m_path; }
    std::uint64_t offset() const { return m_offset; }

private:
    void take(std::string_view chunk, const std::function<void(std::string_view)> &onLine);

    std::string m_path;
    std::uint64_t m_offset = 0;
    std::string m_head; // the file's first bytes, to know it again
    std::string m_partial;
    bool m_skipping = false; // inside an overlong line, or the cut line at a tail's start
};

// Reads a small file whole, at once: the live snapshot is replaced by a rename, so one read
// sees the old content or the new. False when it cannot be opened; an unfinished last line
// and anything past maxBytes are left out.
bool readWholeLines(const std::string &path, std::string &content, std::size_t maxBytes = 1 << 16);
