// The texts of the remote access error codes, in the simulated service's words.
#pragma once

#include <cstdint>

namespace ras::sim {

// The text for a code (at most 255 characters), or null for a code the service does not know.
const char* errorText(std::uint32_t code);

}  // namespace ras::sim
