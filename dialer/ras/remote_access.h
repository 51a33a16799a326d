// The remote access service as the dialer uses it: the default phonebook's entries, their
// editors, and dialing. One interface, two implementations: the platform's own service (Windows
// builds with ONDREL_SYSTEM_RAS) and the simulated one that keeps its phonebook in the registry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialer/ras/ras_codes.h"
#include "dialer/ras/ras_records.h"

namespace fw {
class Window;
}

namespace ras {

// A connection or dial attempt; null is none.
using ConnectionHandle = void*;

// Receives a dial's progress on a thread of the service: for each state the attempt reaches
// (error 0), and once more when it fails (the state it failed in, and the error). It must only
// hand the report over (post a message, say) and must not call back into the service.
using RasDialFunc = void (*)(unsigned message, std::uint32_t state, std::uint32_t error);

// Every call works on the default phonebook and returns kSuccess or an error code. The calls
// may come from several threads at once.
class RemoteAccess {
  public:
    virtual ~RemoteAccess() = default;

    // Writes the entries' names into records[], whose first record carries dwSize 264.
    // *bufferSize gives the room in bytes and returns the bytes needed, *entries the number of
    // entries. When the room is too small, kErrorBufferTooSmall and nothing is written; a wrong
    // dwSize gives kErrorInvalidSize.
    virtual std::uint32_t RasEnumEntries(EntryNameRecord* records, std::uint32_t* bufferSize,
                                         std::uint32_t* entries) = 0;
    // Shows the modal dialog for a new entry, owned by owner.
    virtual std::uint32_t RasCreatePhonebookEntry(fw::Window* owner) = 0;
    // Shows the modal editor of an entry, owned by owner.
    virtual std::uint32_t RasEditPhonebookEntry(fw::Window* owner,
                                                const std::string& entryName) = 0;
    // Starts dialing and returns at once; notifier receives the progress. *connection receives
    // the attempt's handle, also when the dial is refused: hang it up in either case.
    virtual std::uint32_t RasDial(const DialParams& params, RasDialFunc notifier,
                                  ConnectionHandle* connection) = 0;
    // Fills status (dwSize 160) with the connection's state and error.
    virtual std::uint32_t RasGetConnectStatus(ConnectionHandle connection, ConnStatus* status) = 0;
    // Ends a connection or attempt at once, without waiting for the line; the handle is then
    // invalid and its notifier is never called again.
    virtual std::uint32_t RasHangUp(ConnectionHandle connection) = 0;
    // The text of an error code, at most 255 characters, into buffer (room for size bytes).
    virtual std::uint32_t RasGetErrorString(std::uint32_t error, char* buffer,
                                            std::uint32_t size) = 0;
};

// The service this build uses.
std::unique_ptr<RemoteAccess> makeRemoteAccess();

}  // namespace ras
