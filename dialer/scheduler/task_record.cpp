#include "dialer/scheduler/task_record.h"

#include <utility>

#include "framework/archive.h"

CTasks::CTasks(std::string name, std::string entry, std::int32_t timeNext, std::int32_t minutes,
               BOOL disconnectAfter, std::int32_t recurrence, std::int32_t number)
    : m_strName(std::move(name)),
      m_strEntry(std::move(entry)),
      m_timeNext(timeNext),
      m_nMinutes(disconnectAfter != 0 ? minutes : 0),
      m_bDisconnectAfter(disconnectAfter),
      m_nRecurrence(recurrence),
      m_nNumber(number) {}

void CTasks::Serialize(fw::Archive& ar) {
    if (ar.isStoring()) {
        ar.writeString(m_strName);
        ar.writeString(m_strEntry);
        ar.writeInt32(m_timeNext);
        ar.writeInt32(m_nMinutes);
        ar.writeInt32(m_bDisconnectAfter);
        ar.writeInt32(m_bDisabled);
        ar.writeInt32(m_nRecurrence);
        ar.writeInt32(m_nNumber);
    } else {
        m_strName = ar.readString();
        m_strEntry = ar.readString();
        m_timeNext = ar.readInt32();
        m_nMinutes = ar.readInt32();
        m_bDisconnectAfter = ar.readInt32();
        m_bDisabled = ar.readInt32();
        m_nRecurrence = ar.readInt32();
        m_nNumber = ar.readInt32();
    }
}
