#include "platform/ras/simulated_ras.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "framework/clock.h"
#include "framework/message_box.h"
#include "framework/thread.h"
#include "platform/ras/devices.h"
#include "platform/ras/dial_script.h"
#include "platform/ras/entry_dialog.h"
#include "platform/ras/error_texts.h"
#include "platform/ras/phonebook.h"

namespace ras {

namespace sim {

// One dial, from RasDial to RasHangUp.
struct Connection {
    Connection(RasDialFunc notify, Device dialDevice)
        : notifier(notify), device(std::move(dialDevice)) {}

    const RasDialFunc notifier;
    const Device device;
    // Guards the members below and is held across every report, so that once hungUp is set no
    // report can follow.
    std::mutex mutex;
    bool hungUp = false;
    std::uint32_t state = kOpenPort;
    std::uint32_t error = kSuccess;
    // Last, so that it is destroyed first: its destructor wakes and joins the dial.
    fw::Thread thread;
};

namespace {

void runDial(Connection& connection, const DialScript& script, std::int64_t startMs,
             fw::Thread& self) {
    for (const DialStep& step : script.steps) {
        if (!self.waitUntil(startMs + step.atMs)) {
            return;
        }
        std::lock_guard lock(connection.mutex);
        if (connection.hungUp) {
            return;
        }
        connection.state = step.state;
        connection.error = step.error;
        connection.notifier(kDialEventMessage, step.state, step.error);
    }
    // A line that drops says so only to a status query, as the platform does.
    if (script.dropAtMs.has_value() && self.waitUntil(startMs + *script.dropAtMs)) {
        std::lock_guard lock(connection.mutex);
        if (!connection.hungUp) {
            connection.state = kDisconnected;
            connection.error = kErrorDisconnection;
        }
    }
}

}  // namespace

}  // namespace sim

SimulatedRas::SimulatedRas() = default;

SimulatedRas::~SimulatedRas() {
    std::vector<std::shared_ptr<sim::Connection>> all;
    {
        std::lock_guard lock(mutex_);
        for (auto& [handle, connection] : open_) {
            all.push_back(std::move(connection));
        }
        open_.clear();
        all.insert(all.end(), hungUp_.begin(), hungUp_.end());
        hungUp_.clear();
    }
    for (const auto& connection : all) {
        std::lock_guard lock(connection->mutex);
        connection->hungUp = true;
    }
    // Destroying the connections wakes and joins their threads.
}

std::uint32_t SimulatedRas::RasEnumEntries(EntryNameRecord* records, std::uint32_t* bufferSize,
                                           std::uint32_t* entries) {
    if (bufferSize == nullptr || entries == nullptr) {
        return kErrorInvalidParameter;
    }
    if (records != nullptr && records->dwSize != sizeof(EntryNameRecord)) {
        return kErrorInvalidSize;
    }
    const std::vector<std::string> names = sim::entryNames();
    const auto needed = static_cast<std::uint32_t>(names.size() * sizeof(EntryNameRecord));
    const std::uint32_t room = records != nullptr ? *bufferSize : 0;
    *bufferSize = needed;
    *entries = static_cast<std::uint32_t>(names.size());
    if (room < needed) {
        return kErrorBufferTooSmall;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        records[i].dwSize = sizeof(EntryNameRecord);
        copyField(records[i].szEntryName, names[i]);
    }
    return kSuccess;
}

std::uint32_t SimulatedRas::RasCreatePhonebookEntry(fw::Window* owner) {
    sim::EntryDialog dialog(owner, sim::EntryDialog::Mode::create, {}, sim::Entry{});
    if (dialog.doModal() != fw::kIdOk) {
        return kSuccess;
    }
    if (!sim::writeEntry(dialog.name, dialog.entry)) {
        return kErrorCannotWritePhonebook;
    }
    sim::writeProfile(dialog.name);
    return kSuccess;
}

std::uint32_t SimulatedRas::RasEditPhonebookEntry(fw::Window* owner, const std::string& entryName) {
    const std::optional<sim::Entry> entry = sim::readEntry(entryName);
    if (!entry.has_value()) {
        const std::string text = entryName.empty()
                                     ? std::string("No dial-up entry is selected.")
                                     : "The dial-up entry \"" + entryName + "\" does not exist.";
        fw::messageBox(owner, text, sim::kMessageCaption, fw::mb::kOk | fw::mb::kIconExclamation);
        return kErrorCannotFindEntry;
    }
    sim::EntryDialog dialog(owner, sim::EntryDialog::Mode::edit, entryName, *entry);
    if (dialog.doModal() != fw::kIdOk) {
        return kSuccess;
    }
    return sim::writeEntry(entryName, dialog.entry) ? kSuccess : kErrorCannotWritePhonebook;
}

std::uint32_t SimulatedRas::RasDial(const DialParams& params, RasDialFunc notifier,
                                    ConnectionHandle* connection) {
    if (notifier == nullptr || connection == nullptr) {
        return kErrorInvalidParameter;
    }
    *connection = nullptr;
    if (params.dwSize != sizeof(DialParams)) {
        return kErrorInvalidSize;
    }
    releaseEnded();
    const std::string name = fieldText(params.szEntryName);
    const std::optional<sim::Entry> entry = sim::readEntry(name);
    auto dial =
        std::make_shared<sim::Connection>(notifier, sim::findDevice(entry ? entry->device : ""));
    std::lock_guard lock(mutex_);
    const std::uintptr_t handle = nextHandle_++;
    // A refused dial still has a handle, as on the platform, so the caller can always hang up.
    if (!entry.has_value()) {
        dial->state = kDisconnected;
        dial->error = kErrorCannotFindEntry;
    } else {
        const sim::DialScript script = sim::dialScript(*entry, ++attempts_[name]);
        const std::int64_t startMs = fw::nowMs();
        sim::Connection* raw = dial.get();
        dial->thread.start([raw, script, startMs](fw::Thread& self) {
            sim::runDial(*raw, script, startMs, self);
        });
    }
    open_[handle] = std::move(dial);
    *connection = reinterpret_cast<ConnectionHandle>(handle);
    return entry.has_value() ? kSuccess : kErrorCannotFindEntry;
}

std::uint32_t SimulatedRas::RasGetConnectStatus(ConnectionHandle connection, ConnStatus* status) {
    if (status == nullptr) {
        return kErrorInvalidParameter;
    }
    if (status->dwSize != sizeof(ConnStatus)) {
        return kErrorInvalidSize;
    }
    const std::shared_ptr<sim::Connection> dial = find(connection);
    if (dial == nullptr) {
        return kErrorInvalidHandle;
    }
    std::lock_guard lock(dial->mutex);
    status->rasconnstate = dial->state;
    status->dwError = dial->error;
    copyField(status->szDeviceType, dial->device.type);
    copyField(status->szDeviceName, dial->device.name);
    return kSuccess;
}

std::uint32_t SimulatedRas::RasHangUp(ConnectionHandle connection) {
    std::shared_ptr<sim::Connection> dial;
    {
        std::lock_guard lock(mutex_);
        const auto it = open_.find(reinterpret_cast<std::uintptr_t>(connection));
        if (it == open_.end()) {
            return kErrorInvalidHandle;
        }
        dial = std::move(it->second);
        open_.erase(it);
        hungUp_.push_back(dial);
    }
    {
        std::lock_guard lock(dial->mutex);
        dial->hungUp = true;
    }
    dial->thread.wake();
    releaseEnded();
    return kSuccess;
}

std::uint32_t SimulatedRas::RasGetErrorString(std::uint32_t error, char* buffer,
                                              std::uint32_t size) {
    if (buffer == nullptr || size == 0) {
        return kErrorInvalidParameter;
    }
    const char* known = sim::errorText(error);
    const std::string text =
        known != nullptr ? std::string(known)
                         : "Remote access error " + std::to_string(error) + " is not known.";
    const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
    text.copy(buffer, length);
    buffer[length] = '\0';
    if (known == nullptr) {
        return kErrorInvalidParameter;
    }
    return length < text.size() ? kErrorBufferTooSmall : kSuccess;
}

std::shared_ptr<sim::Connection> SimulatedRas::find(ConnectionHandle connection) {
    std::lock_guard lock(mutex_);
    const auto it = open_.find(reinterpret_cast<std::uintptr_t>(connection));
    return it != open_.end() ? it->second : nullptr;
}

void SimulatedRas::releaseEnded() {
    std::vector<std::shared_ptr<sim::Connection>> ended;
    {
        std::lock_guard lock(mutex_);
        const auto running = std::stable_partition(
            hungUp_.begin(), hungUp_.end(),
            [](const auto& connection) { return connection->thread.running(); });
        ended.assign(std::make_move_iterator(running), std::make_move_iterator(hungUp_.end()));
        hungUp_.erase(running, hungUp_.end());
    }
    // The connections are destroyed here, outside the lock.
}

}  // namespace ras
