// SPDX-License-Identifier: MIT
#pragma once
// The toolkit-free heart of the main window: shared state, the four HID
// handlers and the four operations, shown through a Display.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "hex/carrega_hex.h"
#include "hex/line_table.h"
#include "hex/monta_pacote.h"
#include "hid/event_pump.h"
#include "hid/hid_event_handler.h"
#include "hid/hid_library.h"
#include "ops/display.h"
#include "ops/operation.h"
#include "ops/outcome.h"
#include "ops/parts.h"
#include "ops/prepare.h"
#include "protocol/command_link.h"

namespace vantro::ops {

// Reads the chip's memory back after a run, where a backend can (nullptr: it cannot).
using MemoryReader = std::function<const std::vector<std::uint8_t>*(hex::Memory)>;

class ProgrammerSession : public hid::HidEventHandler {
public:
    ProgrammerSession(hid::HidLibrary& library, hid::EventPump& pump, Display& display);

    void OnPlugged(hid::DeviceHandle pHandle) override;
    void OnUnplugged(hid::DeviceHandle pHandle) override;
    void OnChanged() override;
    void OnRead(hid::DeviceHandle pHandle) override;

    // The front-end hands down what it holds: the HEX file (empty: none was chosen)
    // and the lock bits.
    Outcome Command6_Click(const std::string& hex_path);  // FLASH
    Outcome Command1_Click(const std::string& hex_path);  // EEPROM
    Outcome Command2_Click(LockBits lock_bits);           // lock bits
    Outcome Command4_Click();                             // erase
    Outcome run(Operation operation, const OperationInput& input);

    // FLASH and EEPROM runs take this image instead of their file; null: they load it.
    void use_image(std::shared_ptr<const PreparedImage> image) { given_image_ = std::move(image); }

    bool operation_running() const { return running_; }
    // The operation running, or the last one run.
    Operation running_operation() const { return operation_; }
    // A run that no file could make possible (EEPROM on a part without one) is
    // refused, and said, before a file is chosen: true when it is.
    bool refused_before_choice(hex::Memory mode);
    // Ends the running operation's wait at once; nothing more is sent.
    void cancel_operation() { link_.cancel(); }
    void set_timeout(std::chrono::milliseconds limit) { link_.set_timeout(limit); }
    // The chip's part, when known: images that do not fit it are refused.
    void set_part(std::optional<Part> part) { prepare_settings_.part = part; }
    // The firmware of the programmer this session drives: the rehearsal runs it.
    void set_firmware_model(const firmware::FirmwareModel& model) {
        prepare_settings_.model = model;
    }
    // Packs the data reports, rehearsal and run alike; tests inject a faulty one.
    void use_packer(hex::Packer packer) { prepare_settings_.packer = packer; }

    // The chip's memory for a run of this mode where the backend can see it, null
    // where it cannot: a FLASH or EEPROM run that ended well is then checked
    // against the image, whoever shows it.
    void see_chip_memory(MemoryReader memory) { chip_memory_ = std::move(memory); }

    protocol::CommandLink& link() { return link_; }
    // The file the last FLASH or EEPROM run loaded.
    const hex::LoadResult& last_load() const { return image_->load; }
    std::shared_ptr<const PreparedImage> last_image() const { return image_; }

private:
    // The given image, or the file prepared for this run.
    std::shared_ptr<const PreparedImage> prepared_for(hex::Memory mode,
                                                      const std::string& hex_path) const;
    Outcome program(hex::Memory mode, const std::string& hex_path);
    // Ends an operation whose wait did not get its answer: says why, shows the
    // status text and gives the buttons back.
    Outcome fail(protocol::WaitEnd end, std::string_view status_text, bool reset_progress);
    std::string timeout_message() const;
    // The end of every failed operation: progress back to its minimum if asked,
    // the status text, the buttons enabled.
    Outcome end_failed(Outcome outcome, std::string_view status_text, bool reset_progress);
    // Every operation's last word on the buttons: off while the programmer is gone.
    void give_buttons_back();
    // After a run that ended well: false, with a message, when the memory the
    // backend sees differs from the image (elsewhere: from what it held before).
    bool chip_holds_image(hex::Memory mode, const std::vector<std::uint8_t>& before);

    hid::HidLibrary& library_;
    Display& display_;
    protocol::CommandLink link_;
    std::shared_ptr<const PreparedImage> given_image_;
    std::shared_ptr<const PreparedImage> image_ = std::make_shared<PreparedImage>();
    PrepareSettings prepare_settings_;  // the mode is each run's own
    MemoryReader chip_memory_;
    bool running_ = false;
    Operation operation_ = Operation::Erase;
    // From the programmer's removal to its next arrival: an operation that ends
    // meanwhile must not offer buttons that can only fail.
    bool programmer_removed_ = false;
};

}  // namespace vantro::ops
