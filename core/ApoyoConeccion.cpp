#include "ApoyoConeccion.h"

bool CreateConnection(ConnectionHandle& connection, const QString& connectionString)
{
    connection = ConnectionHandle();
    std::string error;
    connection.Created = jet::parseConnectionString(connectionString.toStdString(), connection.Settings, error);
    connection.Error = QString::fromStdString(error);
    return connection.Created;
}

bool OpenConnection(ConnectionHandle& connection)
{
    if (!connection.Created)
        return false;
    // Rows are always copied to the client, so there is no cursor location to choose.
    std::string error;
    jet::Connection::Refusal refusal = jet::Connection::Refusal::Database;
    connection.Database = jet::Connection::open(connection.Settings, error, &refusal);
    if (connection.Database)
        return true;
    // The account is the program's own: its name is never shown.
    connection.Error = refusal == jet::Connection::Refusal::Account
                           ? QStringLiteral("The workgroup file does not accept the program's account: it may "
                                            "belong to another database.")
                           : QString::fromStdString(error);
    return false;
}
