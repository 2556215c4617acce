// SPDX-License-Identifier: MIT
#include "win/form_windows.h"

#include <commctrl.h>

#include <algorithm>

#include "win/win_text.h"

namespace vantro::win {
namespace {

using form::ControlKind;

struct WindowKind {
    const wchar_t* window_class;
    DWORD style;
};

// Labels and buttons show "&" as it is; buttons wrap a caption that does not fit.
WindowKind window_kind(ControlKind kind) {
    switch (kind) {
        case ControlKind::CommandButton:
            return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP};
        case ControlKind::ProgressBar:
            return {PROGRESS_CLASSW, 0};
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX};
        case ControlKind::Image:
            return {L"STATIC", SS_OWNERDRAW};
    }
    return {L"STATIC", 0};
}

COLORREF colour_ref(const form::Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// A label is shrunk to fit at most to this share of its form size, in these steps.
constexpr double kSmallestFit = 0.8;
constexpr double kFitStep = 0.25;

TEXTMETRICW metrics_of(HWND control, HFONT face) {
    HDC dc = GetDC(control);
    const HGDIOBJ before = SelectObject(dc, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return metrics;
}

int text_width(HWND control, HFONT face, const std::wstring& text) {
    HDC dc = GetDC(control);
    const HGDIOBJ before = SelectObject(dc, face);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return extent.cx;
}

RECT client_rect(HWND control) {
    RECT room{};
    GetClientRect(control, &room);
    return room;
}

bool on_one_line(HWND control) {
    return (GetWindowLongPtrW(control, GWL_STYLE) & SS_ENDELLIPSIS) != 0;
}

}  // namespace

int control_id(std::string_view name) {
    const form::FormControl* control = form::find_control(name);
    return control == nullptr
               ? 0
               : 1000 + static_cast<int>(control - form::main_form().controls.data());
}

FormWindows::FormWindows(HWND form, int dots_per_inch) : dots_per_inch_(dots_per_inch) {
    const auto pixels = [dots_per_inch](int twips) {
        return form::pixels_from_twips(twips, dots_per_inch);
    };
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const form::FormControl& control : form::main_form().controls) {
        // A control inside a frame is placed in the frame's client area, but is the
        // form's child: a group box passes its children's messages to nobody.
        form::TwipsRect place = control.twips;
        if (const form::FormControl* container = form::find_control(control.container)) {
            place.left += container->twips.left;
            place.top += container->twips.top;
        }
        const WindowKind kind = window_kind(control.kind);
        const DWORD style = WS_CHILD | WS_VISIBLE | kind.style |
                            (control.starts_enabled ? 0 : static_cast<DWORD>(WS_DISABLED));
        const std::wstring caption = control.caption.empty() ? L"" : wtr(control.caption);
        HWND handle =
            CreateWindowExW(0, kind.window_class, caption.c_str(), style, pixels(place.left),
                            pixels(place.top), pixels(place.width), pixels(place.height), form,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id(control.name))),
                            instance, nullptr);
        const HFONT face = control.font_points > 0
                               ? font(control.font_points)
                               : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(face), FALSE);
        // A label without room for a second line must never wrap into one: its
        // text would read cut, without a sign that it is.
        if (control.kind == ControlKind::Label && control.font_points > 0 &&
            client_rect(handle).bottom < 2 * metrics_of(handle, face).tmHeight) {
            SetWindowLongPtrW(handle, GWL_STYLE,
                              GetWindowLongPtrW(handle, GWL_STYLE) | SS_ENDELLIPSIS);
            fit_to_line(control, handle, caption);
        }
        if (control.kind == ControlKind::ProgressBar) {
            SendMessageW(handle, PBM_SETRANGE32, 0, form::kProgressStartMaximum);
        }
        controls_.emplace_back(&control, handle);
    }
    // The tab key follows the order of the siblings: the tab indices' order.
    auto in_tab_order = controls_;
    std::erase_if(in_tab_order, [](const auto& entry) { return entry.first->tab_index < 0; });
    std::ranges::sort(in_tab_order, {}, [](const auto& entry) { return entry.first->tab_index; });
    brush(form::main_form().background);
    for (const auto& [control, handle] : controls_) {
        if (control->background) {
            brush(*control->background);
        }
    }
    HWND previous = HWND_TOP;
    for (const auto& [control, handle] : in_tab_order) {
        SetWindowPos(handle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = handle;
    }
}

FormWindows::~FormWindows() {
    // The controls go with the form; what they were drawn with goes here.
    for (const auto& [points, face] : fonts_) {
        DeleteObject(face);
    }
    for (const auto& [colour, fill] : brushes_) {
        DeleteObject(fill);
    }
}

HWND FormWindows::operator[](std::string_view name) const {
    const auto found =
        std::ranges::find(controls_, name, [](const auto& entry) { return entry.first->name; });
    return found == controls_.end() ? nullptr : found->second;
}

std::string_view FormWindows::name_of(HWND control) const {
    const auto found =
        std::ranges::find(controls_, control, &std::pair<const form::FormControl*, HWND>::second);
    return found == controls_.end() ? std::string_view{} : found->first->name;
}

void FormWindows::set_text(std::string_view name, std::string_view text) {
    const auto found =
        std::ranges::find(controls_, name, [](const auto& entry) { return entry.first->name; });
    if (found == controls_.end()) {
        return;
    }
    const std::wstring shown = wide(text);
    if (on_one_line(found->second)) {
        fit_to_line(*found->first, found->second, shown);
    }
    SetWindowTextW(found->second, shown.c_str());
}

void FormWindows::fit_to_line(const form::FormControl& control, HWND handle,
                              const std::wstring& text) {
    const int width = client_rect(handle).right;
    double points = control.font_points;
    while (points - kFitStep >= control.font_points * kSmallestFit &&
           text_width(handle, font(points), text) > width) {
        points -= kFitStep;
    }
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font(points)), FALSE);
}

HFONT FormWindows::font(double points) {
    auto& face = fonts_[points];
    if (face == nullptr) {
        const int height = -static_cast<int>(points * dots_per_inch_ / 72.0 + 0.5);
        face = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           VARIABLE_PITCH | FF_SWISS, wide(form::kFontFace).c_str());
    }
    return face;
}

HBRUSH FormWindows::brush(const form::Rgb& colour) {
    const auto found = std::ranges::find(brushes_, colour, &std::pair<form::Rgb, HBRUSH>::first);
    if (found != brushes_.end()) {
        return found->second;
    }
    return brushes_.emplace_back(colour, CreateSolidBrush(colour_ref(colour))).second;
}

HBRUSH FormWindows::paint_static(HDC dc, HWND control) const {
    const auto found =
        std::ranges::find(controls_, control, &std::pair<const form::FormControl*, HWND>::second);
    const form::Rgb background = found != controls_.end() && found->first->background
                                     ? *found->first->background
                                     : form::main_form().background;
    if (found != controls_.end() && found->first->text_colour) {
        SetTextColor(dc, colour_ref(*found->first->text_colour));
    }
    SetBkColor(dc, colour_ref(background));
    return std::ranges::find(brushes_, background, &std::pair<form::Rgb, HBRUSH>::first)->second;
}

}  // namespace vantro::win
