#pragma once
// The six entry points of the conduit library, exported with C linkage.
#include "ConduitInterface.h"

extern "C" {

std::int32_t CfgConduit(std::int32_t configurationType, ConduitConfiguration* record, std::uint32_t* size);
std::int32_t ConfigureConduit(ConduitPreference* preference);
std::int32_t GetConduitInfo(std::int32_t kind, const void* input, void* output, std::uint32_t* size);
std::int32_t GetConduitName(char* buffer, std::int32_t size);
std::uint32_t GetConduitVersion();
// One HotSync of the handheld chosen by the HotSync manager.
std::int32_t OpenConduit(ConduitProgressCallback progress, const ConduitSyncProperties* properties);

}  // extern "C"
