// The remote access service's connection states and error codes, with the platform's values, so
// that a code read from a report or a status means the same under either implementation.
#pragma once

#include <cstdint>

namespace ras {

// Connection states, in the order a dial passes them.
constexpr std::uint32_t kOpenPort = 0;
constexpr std::uint32_t kPortOpened = 1;
constexpr std::uint32_t kConnectDevice = 2;
constexpr std::uint32_t kDeviceConnected = 3;
constexpr std::uint32_t kAllDevicesConnected = 4;
constexpr std::uint32_t kAuthenticate = 5;
constexpr std::uint32_t kAuthenticated = 14;
constexpr std::uint32_t kConnected = 0x2000;
constexpr std::uint32_t kDisconnected = 0x2001;

// Results and errors.
constexpr std::uint32_t kSuccess = 0;
constexpr std::uint32_t kErrorInvalidFunction = 1;
constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorCallNotImplemented = 120;
constexpr std::uint32_t kErrorBufferTooSmall = 603;
constexpr std::uint32_t kErrorCannotFindEntry = 623;
constexpr std::uint32_t kErrorCannotWritePhonebook = 624;
constexpr std::uint32_t kErrorDisconnection = 628;
constexpr std::uint32_t kErrorInvalidSize = 632;
constexpr std::uint32_t kErrorPortNotAvailable = 633;
constexpr std::uint32_t kErrorLineBusy = 676;
constexpr std::uint32_t kErrorNoAnswer = 678;
constexpr std::uint32_t kErrorNoDialTone = 680;
constexpr std::uint32_t kErrorAuthenticationFailure = 691;

// The message number a progress report carries as its first argument.
constexpr unsigned kDialEventMessage = 0xCCCD;

}  // namespace ras
