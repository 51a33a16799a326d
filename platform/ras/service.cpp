#include "platform/ras/service.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "framework/clock.h"
#include "framework/thread.h"
#include "platform/ras/devices.h"
#include "platform/ras/dial_script.h"
#include "platform/ras/entry_dialog.h"
#include "platform/ras/error_texts.h"
#include "platform/ras/phonebook.h"
#include "platform/ras/ports.h"

namespace ras::sim {

namespace {

// Errors only the service gives.
constexpr Dword kErrorInsufficientBuffer = 122;
constexpr Dword kErrorAsyncRequestPending = 616;

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// The sizes each record may give in its first field: its oldest form, which the dialer passes,
// and the later forms of the platform's headers for this build's pointer size. The fields of the
// oldest form sit at the same places in all of them.
constexpr bool k64Bit = sizeof(void*) == 8;
constexpr Dword kEntryNameSizes[] = {264, 532};
constexpr Dword kDialParamsSizes[] = {1052, k64Bit ? 1064u : 1060u, k64Bit ? 1072u : 1064u};
constexpr Dword kConnStatusSizes[] = {160, 288, 332};
// Where the later forms of the status hold the number dialed.
constexpr std::size_t kStatusPhoneNumberAt = 158;

template <std::size_t N>
bool accepted(const Dword (&sizes)[N], Dword size) {
    return std::find(std::begin(sizes), std::end(sizes), size) != std::end(sizes);
}

// Set while this thread is inside a notifier: the platform refuses RasDialA there.
thread_local bool inNotifier = false;

}  // namespace

// One dial, from RasDialA until its line has closed after RasHangUpA.
struct Call {
    Call(DialFunc notify, Device dialDevice, std::string number)
        : notifier(notify), device(std::move(dialDevice)), phoneNumber(std::move(number)) {}

    const DialFunc notifier;
    const Device device;
    const std::string phoneNumber;
    // The dial got as far as opening its port, which then closes with the line.
    bool opensPort = false;

    // Guards the members below; never held while the notifier runs.
    fw::Lock lock;
    // Set when a report has ended.
    fw::Event reportDone;
    bool reporting = false;
    bool hungUp = false;
    bool abandoned = false;  // the process ends
    std::uint32_t state = kOpenPort;
    std::uint32_t error = kSuccess;
    std::int64_t hangUpMs = 0;

    // Last, so that it is destroyed first: its destructor wakes and joins the line's thread.
    fw::Thread thread;
};

namespace {

// Reports a step unless the call was hung up; false when it was.
bool report(Call& call, const DialStep& step) {
    {
        fw::LockGuard guard(call.lock);
        if (call.hungUp || call.abandoned) {
            return false;
        }
        call.state = step.state;
        call.error = step.error;
        call.reporting = true;
    }
    inNotifier = true;
    call.notifier(kDialEventMessage, static_cast<ConnState>(step.state), step.error);
    inNotifier = false;
    {
        fw::LockGuard guard(call.lock);
        call.reporting = false;
    }
    call.reportDone.set();
    return true;
}

bool hungUp(Call& call) {
    fw::LockGuard guard(call.lock);
    return call.hungUp || call.abandoned;
}

// The line's life: the script's reports, a drop, then, once hung up, the closing. False when the
// process ended first.
bool runLine(Call& call, const DialScript& script, std::int64_t startMs, fw::Thread& self) {
    bool failed = false;
    for (const DialStep& step : script.steps) {
        if (!self.waitUntil(startMs + step.atMs) || !report(call, step)) {
            break;
        }
        if (step.error != kSuccess) {
            failed = true;
            break;
        }
    }
    // A line that drops says so only to a status query, as the platform does.
    if (!failed && script.dropAtMs.has_value() && !hungUp(call) &&
        self.waitUntil(startMs + *script.dropAtMs)) {
        fw::LockGuard guard(call.lock);
        if (!call.hungUp) {
            call.state = kDisconnected;
            call.error = kErrorDisconnection;
        }
    }
    // The port stays open, connected or failed, until the call is hung up.
    while (!hungUp(call)) {
        self.waitUntil(kNever);
    }
    std::int64_t hangUpMs = 0;
    {
        fw::LockGuard guard(call.lock);
        if (call.abandoned) {
            return false;
        }
        hangUpMs = call.hangUpMs;
    }
    while (!self.waitUntil(hangUpMs + kLineCloseMs)) {
        fw::LockGuard guard(call.lock);
        if (call.abandoned) {
            return false;
        }
    }
    if (call.opensPort) {
        releasePort(call.device.name, hangUpMs + kLeftPortBusyMs);
    }
    return true;
}

}  // namespace

Service::Service() = default;

Service::~Service() {
    std::vector<std::shared_ptr<Call>> all;
    {
        fw::LockGuard guard(lock_);
        for (auto& [handle, call] : calls_) {
            all.push_back(std::move(call));
        }
        calls_.clear();
        all.insert(all.end(), closed_.begin(), closed_.end());
        closed_.clear();
    }
    for (const auto& call : all) {
        fw::LockGuard guard(call->lock);
        call->abandoned = true;
    }
    // Destroying the calls wakes and joins their threads.
}

Dword Service::enumEntries(EntryNameArg records, Dword* bufferSize, Dword* entries) {
    if (bufferSize == nullptr || entries == nullptr) {
        return kErrorInvalidParameter;
    }
    auto* bytes = reinterpret_cast<unsigned char*>(records);
    Dword recordSize = sizeof(EntryNameRecord);
    if (bytes != nullptr) {
        std::memcpy(&recordSize, bytes, sizeof recordSize);
        if (!accepted(kEntryNameSizes, recordSize)) {
            return kErrorInvalidSize;
        }
    }
    const std::vector<std::string> names = entryNames();
    const Dword room = bytes != nullptr ? *bufferSize : 0;
    const auto needed = static_cast<Dword>(names.size() * recordSize);
    *bufferSize = needed;
    *entries = static_cast<Dword>(names.size());
    // Not even the first record fits, or not all of them: nothing is written.
    if (room < recordSize || room < needed) {
        return kErrorBufferTooSmall;
    }
    for (const std::string& name : names) {
        std::memset(bytes, 0, recordSize);
        std::memcpy(bytes, &recordSize, sizeof recordSize);
        copyField(reinterpret_cast<EntryNameRecord*>(bytes)->szEntryName, name);
        bytes += recordSize;
    }
    return kSuccess;
}

Dword Service::createEntry(WindowHandle owner) {
    EntryDialog dialog(owner, EntryDialog::Mode::create, {}, Entry{});
    if (dialog.doModal() != fw::kIdOk) {
        return kSuccess;
    }
    if (!writeEntry(dialog.name, dialog.entry)) {
        return kErrorCannotWritePhonebook;
    }
    writeProfile(dialog.name);
    return kSuccess;
}

Dword Service::editEntry(WindowHandle owner, const char* entryName) {
    if (entryName == nullptr) {
        return kErrorInvalidParameter;
    }
    const std::optional<Entry> entry = readEntry(entryName);
    if (!entry.has_value()) {
        return kErrorCannotFindEntry;
    }
    EntryDialog dialog(owner, EntryDialog::Mode::edit, entryName, *entry);
    if (dialog.doModal() != fw::kIdOk) {
        return kSuccess;
    }
    return writeEntry(entryName, dialog.entry) ? kSuccess : kErrorCannotWritePhonebook;
}

Dword Service::dial(DialParamsArg params, Dword notifierType, void* notifier,
                    Connection* connection) {
    if (inNotifier) {
        return kErrorAsyncRequestPending;
    }
    // Without a notifier the platform would dial synchronously, which is not simulated. The
    // caller must have cleared its handle.
    if (connection == nullptr || *connection != nullptr || notifier == nullptr ||
        notifierType != 0 || params == nullptr) {
        return kErrorInvalidParameter;
    }
    const auto* fields = reinterpret_cast<const DialParams*>(params);
    if (!accepted(kDialParamsSizes, fields->dwSize)) {
        return kErrorInvalidSize;
    }
    releaseClosed();
    const std::string name = fieldText(fields->szEntryName);
    const std::optional<Entry> entry = readEntry(name);
    auto call = std::make_shared<Call>(reinterpret_cast<DialFunc>(notifier),
                                       findDevice(entry ? entry->device : ""),
                                       entry ? entry->phoneNumber : "");
    fw::LockGuard guard(lock_);
    const std::uintptr_t handle = nextHandle_++;
    // A refused dial still has a handle, as on the platform, which the caller must hang up.
    if (!entry.has_value()) {
        call->state = kDisconnected;
        call->error = kErrorCannotFindEntry;
    } else {
        const std::int64_t startMs = fw::nowMs();
        call->opensPort = !portBusy(call->device.name, startMs);
        const DialScript script =
            call->opensPort ? dialScript(*entry, ++attempts_[name]) : portInUseScript();
        Call* raw = call.get();
        call->thread.start([this, raw, script, startMs, handle](fw::Thread& self) {
            if (runLine(*raw, script, startMs, self)) {
                lineClosed(handle);
            }
        });
    }
    calls_[handle] = std::move(call);
    *connection = reinterpret_cast<Connection>(handle);
    return entry.has_value() ? kSuccess : kErrorCannotFindEntry;
}

Dword Service::getConnectStatus(Connection connection, ConnStatusArg status) {
    if (status == nullptr) {
        return kErrorInvalidParameter;
    }
    auto* fields = reinterpret_cast<ConnStatus*>(status);
    const Dword size = fields->dwSize;
    if (!accepted(kConnStatusSizes, size)) {
        return kErrorInvalidSize;
    }
    const std::shared_ptr<Call> call = find(connection);
    if (call == nullptr) {
        return kErrorInvalidHandle;
    }
    fw::LockGuard guard(call->lock);
    auto* bytes = reinterpret_cast<unsigned char*>(status);
    std::memset(bytes + sizeof size, 0, size - sizeof size);
    // A hung-up line is disconnected while it closes.
    fields->rasconnstate = call->hungUp ? kDisconnected : call->state;
    fields->dwError = call->error;
    copyField(fields->szDeviceType, call->device.type);
    copyField(fields->szDeviceName, call->device.name);
    if (size > sizeof(ConnStatus)) {
        const std::size_t length = std::min<std::size_t>(call->phoneNumber.size(), kMaxPhoneNumber);
        std::memcpy(bytes + kStatusPhoneNumberAt, call->phoneNumber.data(), length);
    }
    return kSuccess;
}

Dword Service::hangUp(Connection connection) {
    const std::shared_ptr<Call> call = find(connection);
    if (call == nullptr) {
        return kErrorInvalidHandle;
    }
    std::int64_t hangUpMs = 0;
    {
        fw::LockGuard guard(call->lock);
        if (call->hungUp) {
            return kErrorInvalidHandle;
        }
        call->hungUp = true;
        hangUpMs = call->hangUpMs = fw::nowMs();
    }
    if (!call->thread.running()) {
        // A refused dial has no line to close.
        fw::LockGuard guard(lock_);
        calls_.erase(reinterpret_cast<std::uintptr_t>(connection));
        return kSuccess;
    }
    // Should the process end before the line has closed, the port stays busy a while longer.
    if (call->opensPort) {
        markPortBusy(call->device.name, hangUpMs + kLeftPortBusyMs);
    }
    call->thread.wake();
    // No report follows the hang-up: one under way ends first, unless it is the caller.
    if (fw::Thread::current() != &call->thread) {
        for (;;) {
            {
                fw::LockGuard guard(call->lock);
                if (!call->reporting) {
                    break;
                }
            }
            call->reportDone.wait();
        }
    }
    releaseClosed();
    return kSuccess;
}

Dword Service::getErrorString(unsigned error, char* buffer, Dword size) const {
    const char* text = errorText(error);
    if (buffer == nullptr || text == nullptr) {
        return kErrorInvalidParameter;
    }
    const std::size_t length = std::strlen(text);
    if (size <= length) {
        return kErrorInsufficientBuffer;
    }
    std::memcpy(buffer, text, length + 1);
    return kSuccess;
}

std::shared_ptr<Call> Service::find(Connection connection) {
    fw::LockGuard guard(lock_);
    const auto it = calls_.find(reinterpret_cast<std::uintptr_t>(connection));
    return it != calls_.end() ? it->second : nullptr;
}

void Service::lineClosed(std::uintptr_t handle) {
    fw::LockGuard guard(lock_);
    const auto it = calls_.find(handle);
    if (it != calls_.end()) {
        closed_.push_back(std::move(it->second));
        calls_.erase(it);
    }
}

void Service::releaseClosed() {
    std::vector<std::shared_ptr<Call>> ended;
    {
        fw::LockGuard guard(lock_);
        const auto running =
            std::stable_partition(closed_.begin(), closed_.end(),
                                  [](const auto& call) { return call->thread.running(); });
        ended.assign(std::make_move_iterator(running), std::make_move_iterator(closed_.end()));
        closed_.erase(running, closed_.end());
    }
    // The calls are destroyed here, outside the lock.
}

namespace {
std::atomic<Service*> installed{nullptr};
}  // namespace

Service& processService() {
    if (Service* service = installed.load()) {
        return *service;
    }
    // The DLL's service is never destroyed: its threads end with the process.
    static Service* const own = new Service;
    return *own;
}

void installService(Service* service) {
    installed.store(service);
}

}  // namespace ras::sim
