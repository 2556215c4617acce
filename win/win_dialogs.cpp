// SPDX-License-Identifier: MIT
#include "win/win_dialogs.h"

#include <commdlg.h>

#include <array>
#include <filesystem>

#include "win/win_text.h"

namespace vantro::win {
namespace {

UINT box_icon(ops::MessageIcon icon) {
    switch (icon) {
        case ops::MessageIcon::Information:
            return MB_ICONINFORMATION;
        case ops::MessageIcon::Warning:
            return MB_ICONWARNING;
        case ops::MessageIcon::Critical:
            return MB_ICONERROR;
        case ops::MessageIcon::None:
            break;
    }
    return 0;
}

// MessageBoxW labels its buttons in the system's language; the question's are
// renamed as the box appears, so they speak the program's.
HHOOK yes_no_hook = nullptr;

LRESULT CALLBACK name_yes_no(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wparam);
        SetDlgItemTextW(box, IDYES, wtr("Sim").c_str());
        SetDlgItemTextW(box, IDNO, wtr("Não").c_str());
    }
    return CallNextHookEx(yes_no_hook, code, wparam, lparam);
}

}  // namespace

void show_message_box(HWND owner, std::string_view text, std::string_view title,
                      ops::MessageIcon icon) {
    MessageBoxW(owner, wide(text).c_str(), wide(title).c_str(), MB_OK | box_icon(icon));
}

bool confirm_box(HWND owner, std::string_view question, std::string_view title) {
    yes_no_hook = SetWindowsHookExW(WH_CBT, name_yes_no, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, wide(question).c_str(), wide(title).c_str(),
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    UnhookWindowsHookEx(yes_no_hook);
    yes_no_hook = nullptr;
    return answer == IDYES;
}

std::string HexOpenDialog::choose_hex_file(const form::OpenDialog& question) {
    // Pairs of a caption and its patterns, "*.hex;*.ihx", each ended by a NUL.
    std::wstring filter;
    for (const form::FileFilter& entry : question.filters) {
        std::wstring patterns;
        for (const std::string& pattern : entry.patterns) {
            patterns += (patterns.empty() ? L"" : L";") + wide(pattern);
        }
        filter += wide(entry.caption) + L'\0' + patterns + L'\0';
    }
    std::array<wchar_t, 32768> name{};
    file_name_.copy(name.data(), name.size() - 1);
    const std::wstring title = wide(question.title);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = folder_.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) {
        return {};
    }
    file_name_ = name.data();
    folder_ = std::filesystem::path(file_name_).parent_path().wstring();
    return platform::utf8_from_utf16(file_name_);
}

}  // namespace vantro::win
