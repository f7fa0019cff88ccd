#pragma once
// The HotSync manager's work: find the conduit registered for a creator id, load it, offer its
// configuration dialog and run one HotSync of a handheld folder through it.
#include "ConduitInterface.h"

#include <cstdint>
#include <string>

namespace hotsync {

// What the Conduit Manager holds for a creator: the conduit library (a relative name lies in
// the HotSync directory) and the file handed to the conduit on every HotSync.
struct ConduitRegistration {
    std::uint32_t creatorId = 0;
    std::string libraryPath;
    std::string localName;
};

// False with the reason when the creator text is not four characters or has no registration.
bool findConduitRegistration(const std::string& creator, ConduitRegistration& registration, std::string& error);

// A conduit library loaded with dlopen and its entry points; unloaded when it goes.
class LoadedConduit {
public:
    LoadedConduit() = default;
    ~LoadedConduit();
    LoadedConduit(const LoadedConduit&) = delete;
    LoadedConduit& operator=(const LoadedConduit&) = delete;

    // False with the reason when the library cannot be loaded or lacks an entry point.
    bool load(const std::string& libraryPath, std::string& error);

    OpenConduitFunction openConduit = nullptr;
    CfgConduitFunction cfgConduit = nullptr;

private:
    void* library_ = nullptr;
};

// The action of the next HotSync of this user with this creator: a temporary choice once, else
// the permanent one, else synchronising. Reading it uses up a temporary choice.
std::int32_t takeSyncAction(std::uint32_t userId, const std::string& creator);
// Keeps an action chosen in the configuration dialog, permanent or for the next HotSync only.
bool keepSyncAction(std::uint32_t userId, const std::string& creator, std::int32_t action, std::int32_t preferenceKind);

// Runs one HotSync of the handheld folder through the conduit with the user's action. The
// conduit's result, or a Sync Manager error for a folder without a HotSync user.
std::int32_t runHotSync(const LoadedConduit& conduit, const ConduitRegistration& registration,
                        const std::string& creator, const std::string& handheldFolder, ConduitProgressCallback progress);

// Shows the conduit's configuration dialog for the HotSync user of the handheld folder and keeps
// the chosen action. The conduit's result (0 OK, -1 Cancel) or a Sync Manager error.
std::int32_t configureConduit(const LoadedConduit& conduit, const ConduitRegistration& registration,
                              const std::string& creator, const std::string& handheldFolder);

// Points unixODBC at the odbcinst.ini shipped beside the programs (<programs>/../odbc) unless
// ODBCSYSINI is set already.
void useShippedDriverRegistry(const std::string& programFolder);

}  // namespace hotsync
