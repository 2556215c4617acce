// SPDX-License-Identifier: MIT
#pragma once
// The main window's controls as Win32 windows, built from the form's table.

#include <windows.h>

#include <map>
#include <string_view>
#include <vector>

#include "form/form_table.h"
#include "win/picture.h"

namespace vantro::win {

// A control's id among the form's children: its place in the form's table, from 1000.
int control_id(std::string_view name);

class FormWindows {
public:
    // Creates the form's controls as children of form, placed for dots_per_inch, in
    // the form's order, with the tab order of their tab indices.
    FormWindows(HWND form, int dots_per_inch);
    ~FormWindows();
    FormWindows(const FormWindows&) = delete;
    FormWindows& operator=(const FormWindows&) = delete;

    // The control called name; nullptr when the form has none.
    HWND operator[](std::string_view name) const;
    // The name of the control; empty for a window that is none of the form's.
    std::string_view name_of(HWND control) const;

    // WM_CTLCOLORSTATIC: the control's text and background colours into dc, and the
    // brush of its background (the form's where it has none of its own).
    HBRUSH paint_static(HDC dc, HWND control) const;
    // WM_DRAWITEM of Image1: the picture, scaled to fill the control.
    void draw_picture(const DRAWITEMSTRUCT& item) const { picture_.draw(item.hDC, item.rcItem); }

private:
    HFONT font(double points, int dots_per_inch);
    HBRUSH brush(const form::Rgb& colour);

    std::vector<std::pair<const form::FormControl*, HWND>> controls_;
    std::map<double, HFONT> fonts_;
    std::vector<std::pair<form::Rgb, HBRUSH>> brushes_;
    Picture picture_;
};

}  // namespace vantro::win
