// SPDX-License-Identifier: MIT
#include "form/form_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace vantro::form {
namespace {

using enum ControlKind;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kStatusGreen{0, 192, 0};
constexpr Rgb kConnectionRed{255, 0, 0};
constexpr std::nullopt_t kPlatform = std::nullopt;

// The four command buttons start disabled: usable once the programmer is present.
// One control a row, as the form lists them.
// clang-format off
constexpr std::array kControls{
    // name, kind, container, {left, top, width, height}, caption, font, text colour, background, tab index, enabled
    FormControl{"Command6",    CommandButton, "",      {1800,  240, 1575, 735}, "Gravar FLASH",                  9.75, kPlatform,    kPlatform, 11, false},
    FormControl{"Command1",    CommandButton, "",      {3480,  240, 1575, 735}, "Gravar EEPROM",                 9.75, kPlatform,    kPlatform, 10, false},
    FormControl{"porcentagem", ProgressBar,   "",      {3120, 2160, 3615, 375}, "",                              0,    kPlatform,    kPlatform,  7, true},
    FormControl{"Frame1",      Frame,         "",      { 120, 1200, 6615, 855}, "Lock Bits",                     12,   kBlack,       kWhite,     3, true},
    FormControl{"lb3",         CheckBox,      "Frame1",{ 720,  360, 1335, 255}, "LB3",                           8.25, kPlatform,    kWhite,     6, true},
    FormControl{"lb2",         CheckBox,      "Frame1",{3120,  360,  735, 255}, "LB2",                           8.25, kPlatform,    kWhite,     5, true},
    FormControl{"lb1",         CheckBox,      "Frame1",{5280,  360,  735, 255}, "LB1",                           8.25, kPlatform,    kWhite,     4, true},
    FormControl{"Command4",    CommandButton, "",      { 120,  240, 1575, 735}, "Apagar Memórias",               9.75, kPlatform,    kPlatform,  2, false},
    FormControl{"Command2",    CommandButton, "",      {5160,  240, 1575, 735}, "Gravar LOCK BITS",              9.75, kPlatform,    kPlatform,  1, false},
    // Below the client area: never seen, although the runs keep writing them.
    FormControl{"lblmsg2",     Label,         "",      { 960, 5040, 4935, 495}, "",                              0,    kPlatform,    kWhite,    14, true},
    FormControl{"lblmsg1",     Label,         "",      { 960, 4560, 4935, 495}, "",                              0,    kPlatform,    kWhite,    13, true},
    FormControl{"lblmsg",      Label,         "",      { 960, 4080, 4935, 495}, "",                              0,    kPlatform,    kWhite,    12, true},
    FormControl{"sucesso",     Label,         "",      {3240, 2760, 3375, 375}, "",                              9.75, kStatusGreen, kPlatform,  9, true},
    FormControl{"estado",      Label,         "",      {3240, 3240, 3495, 255}, "Estado: Gravador Desconectado", 9.75, kConnectionRed, kPlatform, 8, true},
    FormControl{"Label1",      Label,         "",      { 120, 3120, 3255, 375}, kMakerAddress,                   12,   kPlatform,    kPlatform,  0, true},
    FormControl{"Image1",      Image,         "",      { 120, 2160, 2655, 975}, "",                              0,    kPlatform,    kPlatform, -1, true},
};
// clang-format on

constexpr Form kMainForm{"Vantro - Vr 2018_B", 6900, 3660, kWhite, kControls};

}  // namespace

const Form& main_form() {
    return kMainForm;
}

const FormControl* find_control(std::string_view name) {
    const auto found = std::ranges::find(kControls, name, &FormControl::name);
    return found == kControls.end() ? nullptr : &*found;
}

int pixels_from_twips(int twips, int dots_per_inch) {
    constexpr double kTwipsPerInch = 1440.0;
    return static_cast<int>(std::lround(twips * dots_per_inch / kTwipsPerInch));
}

bool names_hex_file(std::string_view file_name) {
    const auto dot = file_name.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    std::string_view suffix = file_name.substr(dot + 1);
    const auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    const auto equals = [&](std::string_view wanted) {
        return std::ranges::equal(suffix, wanted, {}, lower);
    };
    return equals("hex") || equals("ihx");
}

}  // namespace vantro::form
