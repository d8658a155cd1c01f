#pragma once

#include <optional>
#include <string>
#include <utility>

// Why a database operation failed: the driver's own text, shown to the user as it is.
struct StoreError
{
    std::string text;
};

// The outcome of one database operation: its value, or the error that stopped it.
template <typename T> class StoreResult
{
public:
    StoreResult(T value) : m_value(std::move(value)) {}
    StoreResult(StoreError error) : m_error(std::move(error.text)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    // By value from a temporary, so `for (auto &row : store.load().value())` is safe.
    T value() && { return std::move(*m_value); }
    const std::string &error() const { return m_error; }

private:
    std::optional<T> m_value;
    std::string m_error;
};

// For operations that only succeed or fail.
struct StoreDone
{
};
using StoreStatus = StoreResult<StoreDone>;

inline StoreStatus storeOk()
{
    return StoreDone{};
}
