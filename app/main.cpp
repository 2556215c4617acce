// SPDX-License-Identifier: MIT
// vantro: the window, on a real programmer (hidapi) or on the emulated one.

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <iostream>

#include "app/main_form.h"
#include "app/translation.h"
#include "app/window_dialogs.h"
#include "connection/backend.h"
#include "connection/command_line_texts.h"
#include "form/app_options.h"
#include "platform/standard_streams.h"

namespace {

QIcon application_icon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/vantro/vantro-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/vantro/vantro-32.png"), QSize(32, 32));
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    vantro::platform::ensure_standard_streams();
    // Parsed before Qt starts, so that --help and bad options need no display; in
    // the language --lang asks for, wherever it stands.
    vantro::connection::use_language_of(std::vector<std::string>(argv, argv + argc));
    const auto parsed = vantro::form::parse_app_options(argc, argv, std::cout, std::cerr);
    if (!parsed.options) {
        return parsed.exit_code;
    }
    const vantro::form::AppOptions& options = *parsed.options;

    int qt_argc = 1;
    QApplication application(qt_argc, argv);
    vantro::app::store_no_qt_settings();
    QApplication::setApplicationName(QStringLiteral("Vantro"));
    QApplication::setApplicationVersion(QStringLiteral(VANTRO_VERSION));
    // Lets Wayland desktops match the window with its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.vantro.Vantro"));
    QApplication::setWindowIcon(application_icon());
    const vantro::app::TextLanguage language(options.lang);

    const auto backend = vantro::connection::make_backend(options);
    vantro::app::MainForm form(backend->library());
    form.describe_backend(backend->description());
    form.controller().watch_access(*backend);
    vantro::form::apply_to_session(options, *backend, form.controller().session());
    form.show();
    if (options.quit_after_show) {
        QTimer::singleShot(0, &application, &QApplication::quit);
    }
    return QApplication::exec();
}
