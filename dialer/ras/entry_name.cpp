#include "dialer/ras/entry_name.h"

#include <algorithm>

#include "dialer/ras/ras_records.h"

namespace ras {

bool isEntryName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxEntryName &&
           std::none_of(name.begin(), name.end(), [](char c) {
               const auto code = static_cast<unsigned char>(c);
               return c == '\\' || code < 0x20 || code == 0x7F;
           });
}

}  // namespace ras
