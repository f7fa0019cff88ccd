#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace jet {

using Sha256Digest = std::array<std::uint8_t, 32>;

// SHA-256 of a byte string (FIPS 180-4); enough for the workgroup file's password hashes.
Sha256Digest sha256(std::string_view bytes);

}  // namespace jet
