#include "dialer/ras/ras_records.h"

namespace ras {

DialParams makeDialParams(const std::string& entryName, const std::string& userName,
                          const std::string& password) {
    DialParams params{};
    params.dwSize = sizeof params;
    copyField(params.szEntryName, entryName);
    copyField(params.szUserName, userName);
    copyField(params.szPassword, password);
    return params;
}

}  // namespace ras
