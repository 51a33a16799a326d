#include "platform/ras/error_texts.h"

#include <algorithm>
#include <iterator>

namespace ras::sim {

namespace {

struct ErrorText {
    std::uint32_t code;
    const char* text;
};

// Sorted by code.
constexpr ErrorText kTexts[] = {
    {6, "The connection handle is not valid. The connection may already have been closed."},
    {87, "A value passed to the remote access service is not valid."},
    {600, "An operation is still pending."},
    {601, "The port handle is not valid."},
    {602, "The port is already open."},
    {603, "The buffer given to the remote access service is too small."},
    {604, "The information given was wrong."},
    {605, "The port information cannot be set."},
    {606, "The port is not connected."},
    {607, "The event is not valid."},
    {608, "The device does not exist."},
    {609, "The device type does not exist."},
    {610, "The buffer is not valid."},
    {611, "The route is not available."},
    {612, "The route is not allocated."},
    {613, "The compression specified is not valid."},
    {614, "There are not enough buffers available."},
    {615, "The port was not found."},
    {616, "An asynchronous request is pending."},
    {617, "The port or device is already disconnecting."},
    {618, "The port is not open."},
    {619, "The port is disconnected."},
    {620, "There are no endpoints."},
    {621, "The phonebook cannot be opened."},
    {622, "The phonebook cannot be loaded."},
    {623, "The dial-up entry cannot be found in the phonebook."},
    {624, "The phonebook cannot be written."},
    {625, "The phonebook contains information that is not valid."},
    {626, "A string cannot be loaded."},
    {627, "A key cannot be found."},
    {628, "The connection was closed."},
    {629, "The connection was closed by the remote computer."},
    {630, "The modem or other device was disconnected because of a hardware failure."},
    {631, "The user disconnected the modem or other device."},
    {632, "The size of a structure is wrong."},
    {633, "The modem or other device is already in use or is not configured for dialing out."},
    {634, "Your computer could not be registered on the remote network."},
    {635, "An unknown error occurred."},
    {636, "The device attached to the port is not the one expected."},
    {637, "A string was found that could not be converted."},
    {638, "The request has timed out."},
    {640, "A NetBIOS error has occurred."},
    {641, "The server cannot allocate the NetBIOS resources needed to support the client."},
    {642, "One of your computer's NetBIOS names is already registered on the remote network."},
    {643, "A network adapter at the server failed."},
    {645, "An internal authentication error occurred."},
    {646, "The account is not permitted to log on at this time of day."},
    {647, "The account is disabled."},
    {648, "The password for this account has expired."},
    {649, "The account does not have permission to dial in."},
    {650, "The remote access server is not responding."},
    {651, "The modem or other device reported an error."},
    {652, "The modem or other device gave a response that was not recognised."},
    {653, "A macro required by the device was not found in the device's information file."},
    {656, "The device's information file contains a macro that is not valid."},
    {657, "The device's information file could not be opened."},
    {658, "The device name in the device's information file is too long."},
    {659, "The device's information file refers to an unknown device name."},
    {660, "The device's information file contains no responses for a command."},
    {661, "The device's information file is missing a command."},
    {663, "The device type in the port's settings is not known."},
    {664, "The system has run out of memory."},
    {665, "The port is not configured for remote access."},
    {666, "The modem or other device is not ready."},
    {668, "The connection was lost."},
    {676, "The line is busy."},
    {677, "A person answered instead of a modem."},
    {678, "There was no answer."},
    {679, "No carrier was detected."},
    {680, "There is no dial tone."},
    {691, "Access was denied because the user name or password is not valid on the domain."},
    {692, "There was a hardware failure in the modem or other device."},
    {695, "The state machines are not started."},
    {696, "The state machines are already started."},
    {697, "The response looping did not complete."},
    {699, "The modem or other device's response caused a buffer overflow."},
    {700, "The expanded command in the device's information file is too long."},
};

}  // namespace

const char* errorText(std::uint32_t code) {
    const auto it =
        std::lower_bound(std::begin(kTexts), std::end(kTexts), code,
                         [](const ErrorText& row, std::uint32_t c) { return row.code < c; });
    return it != std::end(kTexts) && it->code == code ? it->text : nullptr;
}

}  // namespace ras::sim
