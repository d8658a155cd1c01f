#pragma once

#include <string>
#include <string_view>

// The few file operations the data files and the export need, so that tests can make any
// of them fail. Paths are UTF-8 with "/" separators.
class DataFileSystem
{
public:
    enum class Result { Done, OpenFailed, ReadFailed, WriteFailed };

    virtual ~DataFileSystem() = default;
    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool makeFolders(const std::string &folder) = 0;
    // Opens the file, creating it when missing, and reads all of it.
    virtual Result readAll(const std::string &file, std::string &content) = 0;
    // Appends text at the end, creating the file when missing (empty text only creates it).
    virtual Result append(const std::string &file, std::string_view text) = 0;
    // Replaces the whole file at once: written aside, then renamed over the old one, so a
    // reader sees either the old content or the new, never half of it.
    virtual Result replace(const std::string &file, std::string_view text) = 0;
};

// The machine's file system, through the standard library.
class StdDataFileSystem : public DataFileSystem
{
public:
    bool makeFolders(const std::string &folder) override;
    Result readAll(const std::string &file, std::string &content) override;
    Result append(const std::string &file, std::string_view text) override;
    Result replace(const std::string &file, std::string_view text) override;
};
