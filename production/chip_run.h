// SPDX-License-Identifier: MIT
#pragma once
// One chip on one programmer: the operation, then, where the backend can see the
// chip, the comparison with the image and the memory dumps.

#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connection/backend.h"
#include "connection/connection_options.h"
#include "hid/tracing_hid_library.h"
#include "ops/display.h"
#include "ops/programmer_run.h"
#include "platform/output_file.h"

namespace vantro::production {

struct Target {
    std::optional<std::string> path;  // empty: the first programmer found
    std::string name;                 // as the user reads it: its path
    std::optional<std::string> serial;
    int number = 1;  // put before the extension of its output files when numbered
    bool numbered_files = false;
};

// What a run writes beside the chip, each programmer its own file when several run.
struct ChipOutputs {
    std::optional<std::string> dump_flash;
    std::optional<std::string> dump_eeprom;
    std::optional<std::string> trace;
};

struct ChipEnd {
    ops::RunEnd run;
    int exit_code = 0;
    ops::Outcome outcome = ops::Outcome::Success;  // the run's, or OutputFailed
    // What a failed or interrupted run leaves on the chip and what to do; nothing
    // after a success or when nothing was sent.
    std::optional<std::string> chip_state;
};

// What surrounds the operation on one programmer: its library (traced with
// --trace) made before, the checks and memory dumps after. Whatever it says goes
// to the programmer's display as a message box; several may run at once.
class ChipRun {
public:
    // output_mode: Append for every chip after a --repeat's first (and every chip
    // of a job), so the trace and the dumps keep them all, one after another.
    ChipRun(const connection::ConnectionOptions& options, const ChipOutputs& outputs, Target target,
            ops::Display& display,
            platform::OutputMode output_mode = platform::OutputMode::Truncate);
    ChipRun(const ChipRun&) = delete;
    ChipRun& operator=(const ChipRun&) = delete;

    // False (and said) when the trace file could not be opened: nothing may be sent.
    bool ready() const { return ready_; }
    hid::HidLibrary& library() { return tracing_ ? *tracing_ : backend_->library(); }
    const connection::Backend& backend() const { return *backend_; }
    // After the operation: says why it found no programmer, or that the chip's
    // memory matched the image, and saves the dumps, where the backend can see it.
    ChipEnd finish(const ops::RunEnd& run);

private:
    // The backend can see the chip's memory (the emulated programmer can).
    bool sees_chip() const { return backend_->memory(hex::Memory::Flash) != nullptr; }

    ChipOutputs outputs_;
    Target target_;
    ops::Display& display_;
    platform::OutputMode output_mode_;
    std::unique_ptr<connection::Backend> backend_;
    std::ofstream trace_file_;
    std::unique_ptr<hid::TracingHidLibrary> tracing_;
    bool ready_ = true;
};

// That no programmer was found (at path, when given), and what to do about it.
std::string no_programmer_text(const std::optional<std::string>& path = std::nullopt);

// "flash.bin" for programmer 2: "flash-2.bin".
std::string numbered_file(const std::string& path, int number);
// The target's own file for an output option's path: numbered when several run.
std::string output_file(const Target& target, const std::string& path);

}  // namespace vantro::production
