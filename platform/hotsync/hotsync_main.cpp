// hotsync: the HotSync manager from a terminal.
//
//   hotsync <creator id> <handheld folder>               one HotSync of the handheld
//   hotsync --configure <creator id> <handheld folder>   the conduit's configuration dialog
//
// The conduit is the one registered for the creator id (four characters) in the HotSync
// directory. Without a display the conduit's message boxes are written to the standard error.
// A HotSync that the conduit ends with a failure writes the run's log lines to the standard error
// and exits with 1.
#include "HotSyncLogReader.h"
#include "HotSyncManager.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kUsageError = 2;

void printProgress(const char* text)
{
    std::printf("%s\n", text);
}

bool hasDisplay()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

int usage()
{
    std::fprintf(stderr, "usage: hotsync [--configure] <creator id> <handheld folder>\n");
    return kUsageError;
}

}  // namespace

int main(int argc, char* argv[])
{
    const bool configure = argc == 4 && std::string(argv[1]) == "--configure";
    if (argc != 3 && !configure)
        return usage();
    const std::string creator = argv[configure ? 2 : 1];
    const std::string handheldFolder = argv[configure ? 3 : 2];

    hotsync::useShippedDriverRegistry(std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
    // The conduit's dialogs and message boxes need a widget application; without a display it
    // writes its messages to the standard error instead.
    std::unique_ptr<QApplication> application;
    if (configure || hasDisplay())
        application = std::make_unique<QApplication>(argc, argv);

    std::string error;
    hotsync::ConduitRegistration registration;
    hotsync::LoadedConduit conduit;
    if (!hotsync::findConduitRegistration(creator, registration, error) ||
        !conduit.load(registration.libraryPath, error)) {
        std::fprintf(stderr, "hotsync: %s\n", error.c_str());
        return 1;
    }
    const std::uintmax_t logStart = hotsync::hotSyncLogSize();
    std::int32_t result = configure ? hotsync::configureConduit(conduit, registration, creator, handheldFolder)
                                    : hotsync::runHotSync(conduit, registration, creator, handheldFolder, printProgress);
    if (result == -1 && configure)
        return 0;
    if (result != 0) {
        // What the conduit logged tells why; the user may never open the log.
        for (const std::string& text : hotsync::hotSyncLogTextsFrom(logStart))
            std::fprintf(stderr, "%s\n", text.c_str());
        std::fprintf(stderr, "hotsync: the conduit for %s ended with result %d\n", creator.c_str(), result);
        return 1;
    }
    return 0;
}
