#include "platform/store/storemigrations.h"

#include "platform/store/storeconnection.h"

namespace {
// 1: the schema carries its version. The tables of the release before it stay as they are;
// recording the version is all there is to do.
StoreStatus versioned(const StoreConnection &)
{
    return storeOk();
}
} // namespace

const std::vector<StoreMigration> &storeMigrations()
{
    static const std::vector<StoreMigration> migrations = {versioned};
    return migrations;
}
