// SPDX-License-Identifier: MIT
#pragma once
// The main window's form, described once and toolkit-free: the Qt window and the
// Win32 window both build their controls from it. Captions are the catalogue's
// Portuguese originals; a front-end shows them through tr().

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vantro::form {

// A rectangle in twips (1/1440 inch), relative to the client area of its container.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb&) const = default;
};

enum class ControlKind { CommandButton, ProgressBar, Frame, CheckBox, Label, Image };

// Every control with a font of its own takes this face, bold.
inline constexpr std::string_view kFontFace = "MS Sans Serif";
inline constexpr Rgb kWhite{255, 255, 255};

// The web address shown under the picture.
inline constexpr std::string_view kMakerAddress = "www.vantro.example";

// The picture of Image1, a resource of each front-end.
inline constexpr std::string_view kPictureName = "image1.jpg";

// The progress bar's range and value at start.
inline constexpr int kProgressStartMaximum = 100;

struct FormControl {
    std::string_view name;
    ControlKind kind;
    std::string_view container;  // empty: the form itself
    TwipsRect twips;
    std::string_view caption;  // empty: none at start
    double font_points;        // 0: the window's default font
    std::optional<Rgb> text_colour;
    std::optional<Rgb> background;
    int tab_index;  // its place in the tab order; -1: none
    bool starts_enabled;
};

struct Form {
    std::string_view caption;
    int client_width_twips;
    int client_height_twips;
    Rgb background;
    std::span<const FormControl> controls;  // in the order the window creates them
};

// MainForm: the program's only window.
const Form& main_form();

// The control called name; nullptr when the form has none.
const FormControl* find_control(std::string_view name);

// Pixels for twips at dots_per_inch, rounded to the nearest.
int pixels_from_twips(int twips, int dots_per_inch);

// True for a file name a programming button takes when dropped on it: *.hex or
// *.ihx, in any case.
bool names_hex_file(std::string_view file_name);

}  // namespace vantro::form
