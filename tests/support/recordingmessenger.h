#pragma once

#include "core/common/messenger.h"

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

// Stands in for the message boxes: remembers every text and answers questions from a queue
// (No when the queue is empty).
class RecordingMessenger : public Messenger
{
public:
    void inform(const std::string &text) override { shown.push_back(text); }
    bool ask(const std::string &text) override
    {
        shown.push_back(text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    void setNextAnswer(bool yes) { answers.push_back(yes); }
    int count(const std::string &text) const { return int(std::ranges::count(shown, text)); }

    std::vector<std::string> shown;
    std::deque<bool> answers;
};
