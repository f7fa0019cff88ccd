#pragma once
// What the HotSync manager and a conduit library hand each other: the six entry points that a
// conduit exports with C linkage, and the records they take. A conduit library is loaded with
// dlopen and its entry points are found by name.
#include <cstdint>

extern "C" {

// What a HotSync asks the conduit to do.
enum ConduitSyncType : int32_t {
    CONDUIT_SYNC_FAST = 0,
    CONDUIT_SYNC_SLOW = 1,
    CONDUIT_SYNC_HANDHELD_OVERWRITES = 2,
    CONDUIT_SYNC_DESKTOP_OVERWRITES = 3,
    CONDUIT_SYNC_INSTALL = 4,
    CONDUIT_SYNC_BACKUP = 5,
    CONDUIT_SYNC_DO_NOTHING = 6
};

// Whether a chosen action holds for every HotSync or for the next one only.
enum ConduitPreferenceKind : int32_t { CONDUIT_PREFERENCE_PERMANENT = 1, CONDUIT_PREFERENCE_TEMPORARY = 2 };

// One HotSync as the manager describes it to OpenConduit.
struct ConduitSyncProperties {
    int32_t syncType;      // ConduitSyncType
    uint32_t creatorId;
    char localName[256];   // the file registered for the creator (the conduit's table-description file)
};

// Progress reports of a running conduit.
using ConduitProgressCallback = void (*)(const char* text);

// Input of GetConduitInfo's name request.
struct ConduitRequestInfo {
    uint32_t version;  // 1
    uint32_t size;     // sizeof(ConduitRequestInfo)
    uint32_t creatorId;
    uint32_t userId;
    char userName[64];
};
static_assert(sizeof(ConduitRequestInfo) == 80, "the request is 80 bytes");

enum ConduitInfoKind : int32_t {
    CONDUIT_INFO_NAME = 0,               // output: the display name
    CONDUIT_INFO_FRAMEWORK_VERSION = 1,  // output: 32-bit version
    CONDUIT_INFO_DEFAULT_ACTION = 2      // output: 32-bit ConduitSyncType
};

// The older configuration call's record.
struct ConduitPreference {
    int32_t action;          // in: the current action; out: the chosen one
    int32_t preferenceKind;  // out: ConduitPreferenceKind
};

// The configuration call's record.
struct ConduitConfiguration {
    uint32_t version;  // 1
    uint32_t size;     // sizeof(ConduitConfiguration)
    uint32_t creatorId;
    uint32_t userId;
    char userName[64];
    char userFolder[256];
    int32_t currentAction;   // ConduitSyncType
    int32_t chosenAction;    // out
    int32_t preferenceKind;  // out
    int32_t reserved;
};
static_assert(sizeof(ConduitConfiguration) == 352, "the configuration record is 352 bytes");

enum ConduitConfigurationType : int32_t { CONDUIT_CONFIGURE_USER = 0 };

// Results of the entry points besides 0 (done) and -1 (the user cancelled).
enum ConduitError : int32_t {
    CONDUIT_ERR_UNKNOWN_INFO = 4208,
    CONDUIT_ERR_NULL_OUTPUT = 4209,
    CONDUIT_ERR_BAD_OUTPUT_SIZE = 4211,
    CONDUIT_ERR_NULL_INPUT = 4212,
    CONDUIT_ERR_BAD_INPUT = 4213,
    CONDUIT_ERR_NULL_SIZE = 4215,
    CONDUIT_ERR_NULL_RECORD_SIZE = 4216,
    CONDUIT_ERR_BAD_CONFIGURATION_TYPE = 4217,
    CONDUIT_ERR_BAD_RECORD_SIZE = 4218,
    CONDUIT_ERR_BAD_RECORD_VERSION = 4219
};

using CfgConduitFunction = int32_t (*)(int32_t configurationType, ConduitConfiguration* record, uint32_t* size);
using ConfigureConduitFunction = int32_t (*)(ConduitPreference* preference);
using GetConduitInfoFunction = int32_t (*)(int32_t kind, const void* input, void* output, uint32_t* size);
using GetConduitNameFunction = int32_t (*)(char* buffer, int32_t size);
using GetConduitVersionFunction = uint32_t (*)();
using OpenConduitFunction = int32_t (*)(ConduitProgressCallback progress, const ConduitSyncProperties* properties);

}  // extern "C"
