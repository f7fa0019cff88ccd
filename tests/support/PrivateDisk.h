#pragma once
// A small disk of the test's own: a tmpfs in a mount namespace of the test process, which no
// other program sees and which goes with the process.
#include <string>

namespace testsupport {

// Mounts a tmpfs of the size (as mount takes it, "2m") on the existing folder. Where the process
// may not mount, a user namespace of its own may still let it. False, with errno telling why,
// when the machine allows neither.
bool mountPrivateDisk(const std::string& folder, const std::string& size);

// Writes the file into the folder until its disk takes no more; the errno of that refusal
// (ENOSPC once the disk is full).
int fillDisk(const std::string& folder, const std::string& fileName);

}  // namespace testsupport
