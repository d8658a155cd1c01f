#pragma once

#include <map>
#include <string>

// What each writer said last. A data folder that cannot be written fails the same way at
// every refresh; the user hears it once, and again only after the writer has worked in
// between or fails for a different reason.
class SaidOnce
{
public:
    // The problem to tell (empty when there is nothing to tell). An empty problem is a
    // success and forgets what the writer said.
    std::string filter(const std::string &writer, std::string problem)
    {
        std::string &last = m_last[writer];
        if (problem == last)
            return {};
        last = problem;
        return problem;
    }

private:
    std::map<std::string, std::string> m_last;
};
