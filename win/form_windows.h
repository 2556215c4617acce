// SPDX-License-Identifier: MIT
#pragma once
// The main window's controls as Win32 windows, built from the form's table.

#include <windows.h>

#include <map>
#include <string>
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
    // Sets the text of the control called name. A label one line high keeps it on
    // that line: in a smaller font where the form's is too wide (a substituted face
    // often is), down to four fifths of the form's size, and beyond that cut with an
    // ellipsis.
    void set_text(std::string_view name, std::string_view text);

    // WM_CTLCOLORSTATIC: the control's text and background colours into dc, and the
    // brush of its background (the form's where it has none of its own).
    HBRUSH paint_static(HDC dc, HWND control) const;
    // WM_DRAWITEM of Image1: the picture, scaled to fill the control.
    void draw_picture(const DRAWITEMSTRUCT& item) const { picture_.draw(item.hDC, item.rcItem); }

private:
    HFONT font(double points);
    // The largest font, down to four fifths of the form's, that shows text on one line.
    void fit_to_line(const form::FormControl& control, HWND handle, const std::wstring& text);
    HBRUSH brush(const form::Rgb& colour);

    int dots_per_inch_;
    std::vector<std::pair<const form::FormControl*, HWND>> controls_;
    std::map<double, HFONT> fonts_;
    std::vector<std::pair<form::Rgb, HBRUSH>> brushes_;
    Picture picture_;
};

}  // namespace vantro::win
