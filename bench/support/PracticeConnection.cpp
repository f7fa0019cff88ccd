#include "PracticeConnection.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "Workgroup.h"

#include <stdexcept>

void ConnectNewPractice(const std::string& path)
{
    std::string error;
    if (!practicedb::createPracticeDatabase(path, error))
        throw std::runtime_error(error);
    jet::ConnectionSettings settings;
    settings.databasePath = path;
    settings.workgroupPath = jet::workgroupPathFor(path);
    settings.userId = practicedb::kAccountUser;
    settings.password = practicedb::kAccountPassword;
    AppGlobals& globals = Globals();
    globals.DbConnection = jet::Connection::open(settings, error);
    if (!globals.DbConnection)
        throw std::runtime_error(error);
    globals.ConnectionOpen = true;
    globals.DatabasePath = QString::fromStdString(path);
}
