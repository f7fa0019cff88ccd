#include "ApoyoConeccion.h"

bool CreateConnection(ConnectionHandle& connection, const QString& connectionString)
{
    connection = ConnectionHandle();
    std::string error;
    connection.Created = jet::parseConnectionString(connectionString.toStdString(), connection.Settings, error);
    return connection.Created;
}

bool OpenConnection(ConnectionHandle& connection)
{
    if (!connection.Created)
        return false;
    // Rows are always copied to the client, so there is no cursor location to choose.
    std::string error;
    connection.Database = jet::Connection::open(connection.Settings, error);
    return connection.Database != nullptr;
}
