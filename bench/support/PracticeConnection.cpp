#include "PracticeConnection.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"

#include <stdexcept>

void ConnectNewPractice(const std::string& path)
{
    std::string error;
    if (!practicedb::createPracticeDatabase(path, error))
        throw std::runtime_error(error);
    AppGlobals& globals = Globals();
    globals.DbConnection = jet::Connection::open(practicedb::connectionSettings(path), error);
    if (!globals.DbConnection)
        throw std::runtime_error(error);
    globals.ConnectionOpen = true;
    globals.DatabasePath = QString::fromStdString(path);
}
