#pragma once
// The values of a statement's bound parameters, read when it runs.
#include "DriverHandles.h"

#include <vector>

namespace odbcdriver {

// The bound values in parameter order, converted to what the database stores: texts from the
// application's code page, numbers, dates and times as their ISO texts. An error (with its
// diagnostic on the statement) for a parameter left unbound or a value its type cannot take.
SQLRETURN parameterValues(Statement& statement, std::vector<jet::Value>& values);

}  // namespace odbcdriver
