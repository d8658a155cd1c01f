#pragma once

#include <string>

// Every message box of the program goes through this: the windows implement it with real
// boxes, tests with a recorder that queues answers.
class Messenger
{
public:
    virtual ~Messenger() = default;
    // A box with an OK button.
    virtual void inform(const std::string &text) = 0;
    // A box with Yes and No; true for Yes.
    virtual bool ask(const std::string &text) = 0;
};
