#pragma once
#include <QString>
#include <QtGlobal>

#include <functional>

// What follows a successful connection: the splash and the main window, which the program
// supplies (core shows no windows).
using StartUserInterface = std::function<void()>;

// The desktop program's start: reads the database path from the registry, connects, and
// hands over to the user interface. A failed connection shows its message and ends here.
void Main(const StartUserInterface& startUserInterface);

// Opens DbConnection on DatabasePath once: 1 when open, 0 with the reason in message.
qint16 OpenDatabaseConnection(QString& message);
