#pragma once
// The hotsync program as a terminal user runs it, with the conduit registered for "VLVX".
#include "SyncTestEnvironment.h"

#include <map>
#include <string>
#include <vector>

struct ProgramRun {
    int exitCode = -1;
    std::string output;  // standard output and error
};

class HotSyncProgramTest : public SyncTest {
protected:
    // The registry names the test's database as the desktop's, as an installation does.
    void SetUp() override;

    // Registers the library for the creator id "VLVX" with the test's table-description file.
    void registerConduit(const std::string& library);

    // Runs the hotsync program without a display and without ODBCSYSINI (the program finds the
    // shipped driver registry itself), with the further environment variables given.
    ProgramRun runHotSync(const std::vector<std::string>& arguments,
                          const std::map<std::string, std::string>& environment = {});
};
