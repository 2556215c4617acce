// SPDX-License-Identifier: MIT
#include "hex/field_reader.h"

namespace vantro::hex {
namespace {

bool is_line_end(char c) {
    return c == '\r' || c == '\n';
}

bool is_delimiter(char c) {
    return c == ',' || is_line_end(c);
}

// Moves past the delimiter at `pos`; a CR LF pair is one line end.
std::size_t skip_delimiter(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return pos;
    }
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
        return pos + 2;
    }
    return pos + 1;
}

std::size_t find_delimiter(std::string_view text, std::size_t pos) {
    while (pos < text.size() && !is_delimiter(text[pos])) {
        ++pos;
    }
    return pos;
}

}  // namespace

void read_fields(std::string_view text, const std::function<void(std::string_view)>& on_field) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::string_view field;
        std::size_t end = 0;
        if (text[pos] == '"') {
            std::size_t close = pos + 1;
            while (close < text.size() && text[close] != '"' && !is_line_end(text[close])) {
                ++close;
            }
            field = text.substr(pos + 1, close - pos - 1);
            end = find_delimiter(text, close);
        } else {
            end = find_delimiter(text, pos);
            field = text.substr(pos, end - pos);
        }
        on_field(field);
        pos = skip_delimiter(text, end);
    }
}

std::string record_of_field(std::string_view field) {
    return std::string(field.substr(0, field.size() < 2 ? 0 : field.size() - 2));
}

}  // namespace vantro::hex
