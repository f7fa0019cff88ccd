// vantora-setup: creates a practice database (with its workgroup file), optionally fills it
// with the demo practice, and records its path where the desktop program looks for it; or
// checks every page of an existing one.
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "Registry.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kRegistryKey = "SOFTWARE\\Kelmion\\Vantora PC";
constexpr const char* kRegistryValue = "Database";

int usage()
{
    std::cerr << "Usage: vantora-setup <database path> [--demo]\n"
                 "       vantora-setup --check <database path>\n"
                 "Creates a new practice database and its workgroup file, fills it with a demo\n"
                 "practice when --demo is given, and records the database for the desktop program.\n"
                 "With --check, reads every page of an existing practice database instead.\n";
    return 2;
}

int fail(const std::string& message)
{
    std::cerr << "vantora-setup: " << message << '\n';
    return 1;
}

// Opens the database as the programs do after a session that did not end cleanly.
int checkWholeDatabase(const std::string& databasePath)
{
    jet::ConnectionSettings settings = practicedb::connectionSettings(databasePath);
    settings.checkWholeFile = true;
    std::string error;
    if (!jet::Connection::open(settings, error))
        return fail(error);
    std::cout << "The practice database " << databasePath << " is sound.\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string databasePath;
    bool demo = false;
    bool check = false;
    for (const std::string& argument : arguments) {
        if (argument == "--demo" && !demo)
            demo = true;
        else if (argument == "--check" && !check)
            check = true;
        else if (!argument.empty() && argument[0] != '-' && databasePath.empty())
            databasePath = argument;
        else
            return usage();
    }
    if (databasePath.empty() || (demo && check))
        return usage();
    if (check)
        return checkWholeDatabase(databasePath);

    // The registry keeps a full path: the desktop program may start from any folder.
    std::error_code pathError;
    const std::string fullPath = std::filesystem::absolute(databasePath, pathError).lexically_normal().string();
    if (pathError)
        return fail("The path " + databasePath + " cannot be used: " + pathError.message() + ".");

    std::string error;
    if (!practicedb::createPracticeDatabase(fullPath, error))
        return fail(error);
    // A setup that fails half way takes back what it made, so that it can simply be run again.
    if (demo && !practicedb::loadDemoPractice(fullPath, error)) {
        practicedb::removePracticeDatabase(fullPath);
        return fail(error);
    }
    if (!registry::writeStringValue(kRegistryKey, kRegistryValue, fullPath, error)) {
        practicedb::removePracticeDatabase(fullPath);
        return fail("The path of the database cannot be recorded in the registry " + registry::hivePath() +
                    ": " + error);
    }
    std::cout << "Created the practice database " << fullPath << (demo ? " with the demo practice" : "")
              << " and recorded it in the registry " << registry::hivePath() << ".\n";
    return 0;
}
