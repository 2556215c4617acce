// SPDX-License-Identifier: MIT
#pragma once
// What a window's toolkit does for the window's behaviour (form/window_controller.h):
// the few things only a toolkit can do. Controls are named as in the form's table.
// A front-end implements this and renders the form; it decides nothing.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ops/display.h"

namespace vantro::form {

// One entry of the open dialog's file-type list: what it reads, and the
// patterns of the files it shows ("*.hex").
struct FileFilter {
    std::string caption;
    std::vector<std::string> patterns;
};

// The open dialog cmdlg1: its title and file-type list, the first one selected.
struct OpenDialog {
    std::string title;
    std::vector<FileFilter> filters;
};

class WindowSurface {
public:
    virtual ~WindowSurface() = default;

    // A label's text or a button's caption.
    virtual void set_text(std::string_view control, std::string_view text) = 0;
    virtual void enable(std::string_view control, bool enabled) = 0;
    // True only for a checked box; a grayed one is not.
    virtual bool checked(std::string_view control) const = 0;
    // The progress bar porcentagem: from 0 to maximum, at value.
    virtual void set_bar(int maximum, int value) = 0;

    // The open dialog, modal: the chosen existing file's path (what the core opens
    // it by), empty when the user chose none. It opens where the last choice was.
    virtual std::string choose_hex_file(const OpenDialog& dialog) = 0;
    // A modal yes/no question, "Não" the default; true when the user answered yes.
    virtual bool ask(std::string_view question, std::string_view title) = 0;
    // A modal box with an OK button only; returns when the user closed it.
    virtual void show_message(std::string_view text, std::string_view title,
                              ops::MessageIcon icon) = 0;

    // Runs task from the event loop, after the event being handled now: a drop's
    // run must not keep the drag's source waiting, nor a box open inside a HID
    // event's delivery.
    virtual void later(std::function<void()> task) = 0;
    // Closes the window: the toolkit's close, which asks WindowController::close_requested.
    virtual void close_window() = 0;
};

}  // namespace vantro::form
