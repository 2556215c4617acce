// SPDX-License-Identifier: MIT
#pragma once
// Checks a HEX file line by line and turns it into the records the programmer is
// sent: plain upper-case data records of at most 16 bytes at their full address,
// then the end record. What the gate passes is stored as it stands.

#include <cstdint>
#include <string>
#include <string_view>

#include "hex/hex_image.h"
#include "hex/hex_record.h"

namespace vantro::hex {

class HexGate {
public:
    enum class Verdict {
        Continue,  // line taken; more are needed
        Ended,     // the end record was taken; read nothing more
        Refused,   // the file is invalid; reason() says why
    };

    // One line of the file, its line end removed.
    Verdict take(std::string_view line);

    const std::string& reason() const { return reason_; }
    // The kept records as full lines (checksum included), each followed by LF.
    const std::string& records_text() const { return records_text_; }
    HexImage take_image() { return std::move(image_); }

private:
    Verdict take_data(const HexRecord& record);
    Verdict take_end();
    Verdict take_base(const HexRecord& record);
    Verdict refuse(std::string reason);
    bool keep(std::string_view line);

    HexRecord record_;
    std::uint32_t base_ = 0;  // from the last type 02 or 04 record
    std::string records_text_;
    int records_ = 0;
    HexImage image_;
    std::string reason_;
};

}  // namespace vantro::hex
