#pragma once
#include <functional>

// A file layer under the database for tests that need the disk to misbehave where no real disk
// can be made to: it passes every call to the system's own layer, sees each write to a database
// file or its log, and can answer those writes as a full disk does. Connections opened after
// install() use it.
namespace diskfaults {

void install();

// From now on every write to a database file or its log fails as on a full disk (or works again).
void answerWritesAsFullDisk(bool full);

// Called after each write to a database file or its log has reached the system; null for none.
void onWrite(std::function<void()> observer);

}  // namespace diskfaults
