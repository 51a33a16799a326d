// The platform's own remote access service (rasapi32, ANSI calls, default phonebook). Windows
// only.
#pragma once

#include "dialer/ras/remote_access.h"

namespace ras {

class SystemRas : public RemoteAccess {
  public:
    std::uint32_t RasEnumEntries(EntryNameRecord* records, std::uint32_t* bufferSize,
                                 std::uint32_t* entries) override;
    std::uint32_t RasCreatePhonebookEntry(fw::Window* owner) override;
    std::uint32_t RasEditPhonebookEntry(fw::Window* owner, const std::string& entryName) override;
    // The platform reports to one notifier at a time: the one given to the latest dial.
    std::uint32_t RasDial(const DialParams& params, RasDialFunc notifier,
                          ConnectionHandle* connection) override;
    std::uint32_t RasGetConnectStatus(ConnectionHandle connection, ConnStatus* status) override;
    std::uint32_t RasHangUp(ConnectionHandle connection) override;
    std::uint32_t RasGetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) override;
};

}  // namespace ras
