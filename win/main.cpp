// SPDX-License-Identifier: MIT
// vantro.exe: the native window, on a real programmer (hidapi) or on the emulated one.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <sstream>
#include <vector>

#include "connection/backend.h"
#include "form/app_options.h"
#include "i18n/catalogue.h"
#include "platform/arguments.h"
#include "win/main_window.h"
#include "win/win_text.h"

namespace {

// The window has no console: --help, --version and option errors show in a box.
std::optional<vantro::form::AppOptions> parse_options(int argc, char** argv, int& exit_code) {
    const std::vector<std::string> arguments = vantro::platform::utf8_arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    auto parsed = vantro::form::parse_app_options(static_cast<int>(pointers.size()),
                                                  pointers.data(), out, err);
    exit_code = parsed.exit_code;
    if (!parsed.options) {
        const std::string text = out.str() + err.str();
        MessageBoxW(nullptr, vantro::win::wide(text).c_str(),
                    vantro::win::wide(vantro::ops::kApplicationTitle).c_str(),
                    MB_OK | (exit_code == 0 ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    return parsed.options;
}

// Until the window is closed.
void run_window(const vantro::form::AppOptions& options) {
    const auto backend = vantro::connection::make_backend(options);
    vantro::win::MainWindow form(*backend);
    vantro::form::apply_to_session(options, *backend, form.controller().session());
    ShowWindow(form.handle(), SW_SHOWDEFAULT);
    UpdateWindow(form.handle());
    if (!options.quit_after_show) {
        form.run_until_closed();
    }
}

}  // namespace

int main(int argc, char** argv) {
    int exit_code = 0;
    const auto options = parse_options(argc, argv, exit_code);
    if (!options) {
        return exit_code;
    }
    vantro::i18n::use_language(options->lang);
    // The picture's decoder and the open dialog are COM objects.
    OleInitialize(nullptr);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    run_window(*options);
    OleUninitialize();
    return 0;
}
