#pragma once
#include <vector>

namespace practicedb {

// One SQL script of the practice database's definition, kept as a source file beside
// this header and built into the library.
struct SchemaScript {
    const char* name;
    const char* text;
};

// The scripts that create a practice database, in the order they must run: tables,
// saved queries, lookup rows, conduit tables.
const std::vector<SchemaScript>& creationScripts();

}  // namespace practicedb
