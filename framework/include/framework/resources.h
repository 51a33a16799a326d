// Resources of the program: strings, icons. Dialog templates and menus are used by id elsewhere.
#pragma once

#include <string>

#include "framework/types.h"

namespace fw {

// The string with this id from the string table, or empty.
std::string loadString(int id);

// An icon resource.
class Icon {
  public:
    Icon() = default;
    static Icon load(int resourceId);
    int resourceId() const { return id_; }
    Handle handle() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }

  private:
    int id_ = 0;
    Handle handle_ = nullptr;
};

}  // namespace fw
