#pragma once
#include <QString>

// Where GetKeyValue reads: the machine-wide registry is the only root the program uses.
enum class RegistryRoot { LocalMachine };

// Reads a value of the registry: a string as it is (up to its first NUL), a 32-bit number as
// "&h" and its bytes in hexadecimal, highest first. False, value empty, when the key or the
// value cannot be read or does not fit 1024 characters.
bool GetKeyValue(RegistryRoot root, const QString& keyName, const QString& valueName, QString& value);

// Starts the system information tool registered on the machine; without one, tells the user
// it is not available.
void StartSysInfo();
