// The simulated service's dialog for a new entry and its editor of an existing one: name, phone
// number, device and how the simulated line behaves.
#pragma once

#include <string>
#include <vector>

#include "framework/dialog.h"
#include "platform/ras/entry.h"

namespace ras::sim {

// The caption of the service's messages.
extern const char* const kMessageCaption;

class EntryDialog : public fw::Dialog {
  public:
    enum class Mode { create, edit };

    // Modal to owner. In edit mode the name is shown but cannot be changed.
    EntryDialog(fw::Handle owner, Mode mode, std::string name, const Entry& entry);

    // After OK: what the user chose.
    std::string name;
    Entry entry;

  protected:
    bool onInitDialog() override;
    // Keeps the dialog open, with a message, while the name or the number cannot be used.
    void onOK() override;
    bool onCommand(int id, int code) override;
    void doDataExchange(fw::DataExchange& dx) override;

  private:
    // N means something only to the lines that count attempts or seconds.
    void enableCount(int lineIndex);

    Mode mode_;
    std::vector<std::string> deviceNames_;
    int deviceIndex_ = 0;
    int lineIndex_ = 0;
    int count_ = 0;
};

}  // namespace ras::sim
