// The simulated remote access service: a phonebook in the registry (phonebook.h), dialogs of its
// own to create and edit entries, and dials that run on threads of their own and follow the
// entry's simulated line (dial_script.h) on the framework's clock, so that under test they run
// on the virtual clock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "dialer/ras/remote_access.h"

namespace ras {

namespace sim {
struct Connection;
}

class SimulatedRas : public RemoteAccess {
  public:
    SimulatedRas();
    SimulatedRas(const SimulatedRas&) = delete;
    SimulatedRas& operator=(const SimulatedRas&) = delete;
    // Hangs up what is still open and waits for the dials' threads.
    ~SimulatedRas() override;

    std::uint32_t RasEnumEntries(EntryNameRecord* records, std::uint32_t* bufferSize,
                                 std::uint32_t* entries) override;
    // Returns kSuccess also when the user cancels.
    std::uint32_t RasCreatePhonebookEntry(fw::Window* owner) override;
    // An entry that does not exist is reported in a message box: kErrorCannotFindEntry.
    std::uint32_t RasEditPhonebookEntry(fw::Window* owner, const std::string& entryName) override;
    // An entry that does not exist is refused at once with kErrorCannotFindEntry. The busy
    // attempts of a line that is busy for its first N attempts are counted by this object.
    std::uint32_t RasDial(const DialParams& params, RasDialFunc notifier,
                          ConnectionHandle* connection) override;
    std::uint32_t RasGetConnectStatus(ConnectionHandle connection, ConnStatus* status) override;
    std::uint32_t RasHangUp(ConnectionHandle connection) override;
    // An unknown code gets a generic text and kErrorInvalidParameter.
    std::uint32_t RasGetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) override;

  private:
    std::shared_ptr<sim::Connection> find(ConnectionHandle connection);
    // Lets go of hung-up connections whose threads have ended (joining them takes no time).
    void releaseEnded();

    std::mutex mutex_;  // guards the members below, never held while a dial reports
    std::map<std::uintptr_t, std::shared_ptr<sim::Connection>> open_;
    std::vector<std::shared_ptr<sim::Connection>> hungUp_;  // threads possibly still ending
    std::map<std::string, std::uint32_t> attempts_;         // dials per entry name
    std::uintptr_t nextHandle_ = 1;
};

}  // namespace ras
