// The simulated remote access service behind the platform's seven functions (rasapi32.cpp): a
// phonebook in the registry (phonebook.h), dialogs of its own to create and edit entries, and
// dials that run on threads of their own and follow the entry's simulated line (dial_script.h) on
// the framework's clock, so that under test they run on the virtual clock.
//
// It holds its callers to what the platform documents: the record sizes it accepts, a buffer too
// small, the notifier's rules, a handle that is hung up once and then closes its line for a while
// before it is gone, and a port that stays busy while its line closes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialer/ras/remote_access.h"
#include "framework/thread.h"

namespace ras::sim {

struct Call;

// How long a hung-up line takes to close, and how long a port stays busy after a hang-up whose
// process ended before the line closed.
constexpr std::int64_t kLineCloseMs = 1500;
constexpr std::int64_t kLeftPortBusyMs = 5000;

class Service {
  public:
    Service();
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;
    // The process ends: the dials stop where they are and report nothing more, and a port whose
    // line was still closing stays busy.
    ~Service();

    // The seven functions, each with the platform's arguments but the default phonebook's.
    Dword enumEntries(EntryNameArg records, Dword* bufferSize, Dword* entries);
    // kSuccess also when the user cancels.
    Dword createEntry(WindowHandle owner);
    Dword editEntry(WindowHandle owner, const char* entryName);
    // Only the notifier of type 0 is simulated.
    Dword dial(DialParamsArg params, Dword notifierType, void* notifier, Connection* connection);
    Dword getConnectStatus(Connection connection, ConnStatusArg status);
    Dword hangUp(Connection connection);
    Dword getErrorString(unsigned error, char* buffer, Dword size) const;

  private:
    std::shared_ptr<Call> find(Connection connection);
    // Runs on the line's thread once it has closed: its handle is gone.
    void lineClosed(std::uintptr_t handle);
    // Lets go of closed lines whose threads have ended (joining them takes no time).
    void releaseClosed();

    fw::Lock lock_;  // guards the members below; never held while a line reports
    std::map<std::uintptr_t, std::shared_ptr<Call>> calls_;  // open and closing
    std::vector<std::shared_ptr<Call>> closed_;              // threads possibly still ending
    std::map<std::string, std::uint32_t> attempts_;          // dials per entry name
    std::uintptr_t nextHandle_ = 1;
};

// The service the exported functions use: the one installed, or else one made at their first call
// that lasts as long as the process.
Service& processService();
// Makes a test's own service the process's while it lives; null gives the process's own back.
void installService(Service* service);

}  // namespace ras::sim
