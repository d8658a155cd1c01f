#pragma once

#include "core/common/messenger.h"

#include <cstdio>
#include <set>
#include <string>

// The message boxes of an unattended run: each text goes to the standard error the first time
// it is shown, and is counted every time. Questions are answered No.
class SoakMessenger : public Messenger
{
public:
    void inform(const std::string &text) override { note(text); }
    bool ask(const std::string &text) override
    {
        note(text);
        return false;
    }
    int count() const { return m_count; }

private:
    void note(const std::string &text)
    {
        ++m_count;
        if (m_seen.insert(text).second)
            std::fprintf(stderr, "soak: message: %s\n", text.c_str());
    }

    std::set<std::string> m_seen;
    int m_count = 0;
};
