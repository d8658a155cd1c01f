// Feeds arbitrary bytes to every reader of the sources' replies; the first byte picks the
// reader, so one corpus covers them all. Built with -DVANTREL_FUZZ=ON under clang.
#include "replyreaders.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view body(reinterpret_cast<const char *>(data) + 1, size - 1);
    switch (data[0] % 5) {
    case 0: {
        ChartReply reply;
        readChartReply(body, reply);
        break;
    }
    case 1: {
        std::map<std::string, LiveQuote> quotes;
        readBatchQuotes(body, quotes);
        break;
    }
    case 2:
        readCrumb(body);
        break;
    case 3: {
        std::string file;
        if (readSingleFileZip(body, file).ok) {
            Bhavcopy copy;
            readBhavcopy(file, copy);
        }
        break;
    }
    default: {
        Bhavcopy copy;
        readBhavcopy(body, copy);
    }
    }
    return 0;
}
