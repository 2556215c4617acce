// SPDX-License-Identifier: MIT
#pragma once
// What the CLI's displays answer in place of the window's file dialog and lock-bit
// check boxes: the HEX file and the lock bits given on the command line.

#include <string>

#include "ops/headless_display.h"

namespace vantro::cli {

struct LockBitChoice {
    bool lb1 = false;
    bool lb2 = false;
    bool lb3 = false;

    // As the window's check box lb1, lb2 or lb3 (bit 1..3) would read: 0 or 1.
    int box(int bit) const;
};

class CommandLineDisplay : public ops::HeadlessDisplay {
public:
    void set_hex_path(std::string path) { hex_path_ = std::move(path); }
    void set_lock_bits(LockBitChoice choice) { lock_bits_ = choice; }

    std::string choose_hex_file() override { return hex_path_; }
    int lock_bit_box(int bit) const override { return lock_bits_.box(bit); }

private:
    std::string hex_path_;
    LockBitChoice lock_bits_;
};

}  // namespace vantro::cli
