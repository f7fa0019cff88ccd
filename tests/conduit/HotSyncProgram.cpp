#include "HotSyncProgram.h"

#include "ConduitManager.h"
#include "Registry.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

void HotSyncProgramTest::SetUp()
{
    SyncTest::SetUp();
    ::setenv("VANTORA_REGISTRY", temp.file("registry.reg").c_str(), 1);
    std::string error;
    ASSERT_TRUE(registry::writeStringValue("SOFTWARE\\Kelmion\\Vantora PC", "Database", databasePath, error)) << error;
}

void HotSyncProgramTest::registerConduit(const std::string& library)
{
    ASSERT_GE(CmInstallCreator("VLVX", 1), CM_ERR_CREATOR_EXISTS);
    ASSERT_EQ(CmSetCreatorName("VLVX", library.c_str()), CM_OK);
    ASSERT_EQ(CmSetCreatorUser("VLVX", "Kelmion"), CM_OK);
    ASSERT_EQ(CmSetCreatorTitle("VLVX", "Velvix"), CM_OK);
    ASSERT_EQ(CmSetCreatorRemote("VLVX", "Database"), CM_OK);
    ASSERT_EQ(CmSetCreatorFile("VLVX", tableDescriptionPath.c_str()), CM_OK);
}

ProgramRun HotSyncProgramTest::runHotSync(const std::vector<std::string>& arguments,
                                          const std::map<std::string, std::string>& environment)
{
    const std::string outputPath = temp.file("hotsync.out");
    pid_t child = ::fork();
    if (child == 0) {
        for (const char* variable : {"ODBCSYSINI", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            ::unsetenv(variable);
        for (const auto& [name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(output, 1);
        ::dup2(output, 2);
        std::vector<std::string> words = {VANTORA_BIN_DIR "/hotsync"};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testsupport::readFile(outputPath)};
}
