#pragma once

#include "core/chartlink/instancekiller.h"

// The processes of this machine as /proc lists them, each with its program file and owner,
// and termination by a hard kill.
class ProcTable : public chartlink::ProcessTable
{
public:
    bool list(std::vector<chartlink::ProcessEntry> &out) override;
    Termination terminate(long pid) override;
    long user() const override;
};
