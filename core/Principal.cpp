#include "Principal.h"

#include "ApoyoConeccion.h"
#include "ApoyoRegistry.h"
#include "AppGlobals.h"
#include "Messages.h"
#include "Workgroup.h"

#include <QVariant>

namespace {

const char* const kSettingsKey = "SOFTWARE\\Kelmion\\Vantora PC";
const char* const kDatabaseValue = "Database";

// The connection string's parts: the first two may be shown; the credentials never.
QString connectionStringWithoutCredentials(const QString& databasePath)
{
    QString workgroupPath = QString::fromStdString(jet::workgroupPathFor(databasePath.toStdString()));
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + databasePath +
           ";Jet OLEDB:System database=" + workgroupPath;
}

}  // namespace

qint16 OpenDatabaseConnection(QString& message)
{
    AppGlobals& globals = Globals();
    if (globals.ConnectionOpen)
        return 1;
    if (globals.DatabasePath.isEmpty()) {
        message = "Falta iniciar Informacion de Bases de datos";
        return 0;
    }
    QString shown = connectionStringWithoutCredentials(globals.DatabasePath);
    ConnectionHandle connection;
    CreateConnection(connection, shown + ";User Id=Quivo;Password=Quivo");
    if (!OpenConnection(connection)) {
        message = "Problems stablishing connection" + shown + "\n\n" + connection.Error;
        return 0;
    }
    globals.DbConnection = std::move(connection.Database);
    globals.ConnectionOpen = true;
    return 1;
}

void Main(const StartUserInterface& startUserInterface)
{
    AppGlobals& globals = Globals();
    // The result is not examined: a missing value, or one of another type, leaves the path
    // empty and the connection tells the user.
    QVariant path;
    GetRegSetting(kSettingsKey, kDatabaseValue, path);
    globals.DatabasePath = path.toString();
    globals.ReportHeading = QString();

    QString message;
    if (OpenDatabaseConnection(message) == 0) {
        ShowMessage(message, MessageButtons::Ok);
        return;
    }
    if (startUserInterface)
        startUserInterface();
}
