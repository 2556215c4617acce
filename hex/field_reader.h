// SPDX-License-Identifier: MIT
#pragma once
// The field reading of a HEX text: the way each record is taken from the file.

#include <functional>
#include <string>
#include <string_view>

namespace vantro::hex {

// Calls on_field with every field of the text, in order. A field ends at a comma
// or at a line end (CR, LF or CR LF); a field that starts with a double quote is
// the text up to the closing quote or the line end (commas included), and the
// rest up to the delimiter is skipped. The end of the text is tested before every field, so an
// empty text has no field and a last line without a line end is still a field.
void read_fields(std::string_view text, const std::function<void(std::string_view)>& on_field);

// The record a field stands for: the field less its last two characters (the
// checksum). A field of fewer than two characters gives the empty record, like a
// field of exactly two.
std::string record_of_field(std::string_view field);

}  // namespace vantro::hex
