// SPDX-License-Identifier: MIT
#pragma once
// The window's modal dialogs: the message boxes and the open dialog cmdlg1.

#include <windows.h>

#include <string>
#include <string_view>

#include "form/window_surface.h"
#include "ops/display.h"

namespace vantro::win {

// A modal box with an OK button only; returns when the user closed it.
void show_message_box(HWND owner, std::string_view text, std::string_view title,
                      ops::MessageIcon icon);
// A modal yes/no question with the buttons in the program's language, "Não" the
// default; true when the user answered yes.
bool confirm_box(HWND owner, std::string_view question, std::string_view title);

// cmdlg1: the system's open dialog. It opens in the folder of the last file
// chosen, which it keeps in memory only.
class HexOpenDialog {
public:
    explicit HexOpenDialog(HWND owner) : owner_(owner) {}

    // The chosen existing file in UTF-8; empty when the user cancelled.
    std::string choose_hex_file(const form::OpenDialog& question);

private:
    HWND owner_;
    std::wstring folder_ = L"c:\\";  // where it opens next
    std::wstring file_name_;         // what its name field shows next
};

}  // namespace vantro::win
