#pragma once
#include "JetConnection.h"

#include <QString>

#include <memory>

// A connection object: created with a connection string, then opened.
struct ConnectionHandle {
    bool Created = false;
    jet::ConnectionSettings Settings;
    std::unique_ptr<jet::Connection> Database;  // set once open
    QString Error;                              // why it was not created or opened, a plain sentence
};

// Makes a new, closed connection with the connection string (a connection string the
// provider cannot take makes no connection). True when done.
bool CreateConnection(ConnectionHandle& connection, const QString& connectionString);

// Opens a created connection with the credentials of its connection string. True when open;
// a connection never created, a missing database or workgroup file or a refused account
// answer False, with the reason in Error.
bool OpenConnection(ConnectionHandle& connection);
