// Host stand-in for the carried installer.
#pragma once

#include <string>

namespace pelmora {

// Replaces the payload that VbaInstallerPayload() returns with `bytes`
// (wrapped in the {1, count, bytes} layout). Until called, the payload is a
// few hundred bytes of recognisable content beginning with "MZ".
void SetFakeVbaPayload(const std::string& bytes);

// The payload the fake starts with, for tests that compare written files.
const std::string& DefaultFakeVbaPayload();

}  // namespace pelmora
