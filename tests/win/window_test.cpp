// SPDX-License-Identifier: MIT
// The native window on the emulated programmer, driven as a user's clicks and
// drops drive it: by its messages, reading back its controls' texts and states.
// Message boxes are read and closed by a second thread, as a user would.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <fstream>
#include <mutex>
#include <set>
#include <thread>

#include "connection/backend.h"
#include "i18n/catalogue.h"
#include "win/main_window.h"
#include "win/win_text.h"

namespace vantro {
namespace {

using namespace std::chrono_literals;

std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
    return text;
}

// Every message box of the window's thread: its title and its longest static text.
class BoxCloser {
public:
    explicit BoxCloser(DWORD thread) : thread_(thread), watcher_([this] { watch(); }) {}
    ~BoxCloser() {
        stop_ = true;
        watcher_.join();
    }
    std::vector<std::pair<std::wstring, std::wstring>> seen() {
        const std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    void watch() {
        while (!stop_) {
            EnumThreadWindows(thread_, &BoxCloser::look, reinterpret_cast<LPARAM>(this));
            std::this_thread::sleep_for(20ms);
        }
    }
    static BOOL CALLBACK look(HWND window, LPARAM self) {
        wchar_t kind[16] = {};
        GetClassNameW(window, kind, 16);
        auto* closer = reinterpret_cast<BoxCloser*>(self);
        if (std::wstring(kind) == L"#32770" && IsWindowVisible(window) &&
            closer->closed_.insert(window).second) {
            std::wstring text;
            EnumChildWindows(window, &BoxCloser::longest_text, reinterpret_cast<LPARAM>(&text));
            const std::lock_guard lock(closer->mutex_);
            closer->seen_.emplace_back(text_of(window), text);
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }
    static BOOL CALLBACK longest_text(HWND child, LPARAM longest) {
        auto& text = *reinterpret_cast<std::wstring*>(longest);
        if (const std::wstring own = text_of(child); own.size() > text.size()) {
            text = own;
        }
        return TRUE;
    }

    DWORD thread_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::vector<std::pair<std::wstring, std::wstring>> seen_;
    std::set<HWND> closed_;
    std::thread watcher_;
};

class WindowTest : public ::testing::Test {
protected:
    void open(const std::vector<std::string>& settings) {
        connection::ConnectionOptions options;
        options.emulator = true;
        for (const std::string& setting : settings) {
            ASSERT_FALSE(options.emulator_setup.apply(setting).has_value()) << setting;
        }
        backend = connection::make_backend(options);
        window = std::make_unique<win::MainWindow>(*backend);
        ShowWindow(window->handle(), SW_SHOWNOACTIVATE);
        ASSERT_TRUE(pump_until([&] { return IsWindowEnabled(control("Command6")); }));
    }
    HWND control(const char* name) const {
        return GetDlgItem(window->handle(), win::control_id(name));
    }
    std::wstring status() const { return text_of(control("sucesso")); }
    bool pump_until(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        MSG message;
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            std::this_thread::sleep_for(5ms);
        }
        return done();
    }
    void drop(const char* button, const std::wstring& file) {
        wchar_t full[MAX_PATH];
        GetFullPathNameW(file.c_str(), MAX_PATH, full, nullptr);
        const std::wstring name(full);
        const std::size_t size = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GHND, size);
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::copy(name.begin(), name.end(), reinterpret_cast<wchar_t*>(files + 1));
        GlobalUnlock(memory);
        SendMessageW(control(button), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    }

    std::unique_ptr<connection::Backend> backend;
    std::unique_ptr<win::MainWindow> window;
    BoxCloser boxes{GetCurrentThreadId()};
};

constexpr const wchar_t* kImage = L"window-test.hex";

void write_image() {
    std::ofstream(kImage) << ":0400000001020304F2\n:00000001FF\n";
}

TEST_F(WindowTest, SurfaceSetsTextsStatesAndTheBarAndReadsTheBoxes) {
    open({});
    EXPECT_EQ(text_of(window->handle()), L"Vantro - Vr 2018_B — gravador emulado");
    RECT client;
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, 460);
    EXPECT_EQ(client.bottom, 244);

    window->set_text("sucesso", "Gravou com sucesso!");
    EXPECT_EQ(status(), L"Gravou com sucesso!");
    window->enable("Command4", false);
    EXPECT_FALSE(IsWindowEnabled(control("Command4")));
    window->set_bar(7, 3);
    EXPECT_EQ(SendMessageW(control("porcentagem"), PBM_GETRANGE, FALSE, 0), 7);
    EXPECT_EQ(SendMessageW(control("porcentagem"), PBM_GETPOS, 0, 0), 3);
    SendMessageW(control("lb2"), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_FALSE(window->checked("lb1"));
    EXPECT_TRUE(window->checked("lb2"));
    EXPECT_FALSE(window->checked("lb3"));

    std::vector<int> ran;
    window->later([&] { ran.push_back(1); });
    window->later([&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());  // not inside the caller
    ASSERT_TRUE(pump_until([&] { return ran.size() == 2; }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    window->show_message("Erro na gravação\nA FLASH", "Vantro", ops::MessageIcon::None);
    ASSERT_FALSE(boxes.seen().empty());
    EXPECT_EQ(boxes.seen().back(),
              std::make_pair(std::wstring(L"Vantro"), std::wstring(L"Erro na gravação\nA FLASH")));
}

TEST_F(WindowTest, ClicksAndDropsReachTheController) {
    write_image();
    open({});
    drop("Command6", kImage);
    ASSERT_TRUE(pump_until([&] { return status() == L"Gravou com sucesso!"; })) << status();
    EXPECT_EQ((*backend->memory(hex::Memory::Flash))[3], 0x04);
    SendMessageW(control("Command4"), BM_CLICK, 0, 0);
    EXPECT_EQ(status(), L"Apagou com sucesso!");
}

// The wait's message loop is the window's: the tab key still moves the focus.
TEST_F(WindowTest, TabMovesTheFocusWhileAnOperationWaits) {
    open({"latency=300"});
    SetFocus(control("lb1"));
    ASSERT_EQ(GetFocus(), control("lb1"));
    PostMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(win::control_id("Command4"), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control("Command4")));
    PostMessageW(control("lb1"), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(pump_until([&] { return status() == L"Apagou com sucesso!"; })) << status();
    EXPECT_EQ(GetFocus(), control("lb2"));
}

int width_in_font_of(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    const HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return extent.cx;
}

// A font other than the form's (Wine without Windows' fonts) draws wider. The
// connection label never wraps into a hidden second line: in both languages its
// text fits whole, or, the longest, is cut with an ellipsis after its point.
TEST_F(WindowTest, ConnectionTextsFitTheirLabel) {
    struct Row {
        const char* portuguese;
        const wchar_t* shown_portuguese;  // nullptr: the whole text
        const wchar_t* shown_english;
    };
    const Row rows[] = {
        {"Estado: Gravador Conectado", nullptr, nullptr},
        {"Estado: Gravador Desconectado", nullptr, nullptr},
        {"Estado: Gravador sem permissão de acesso", L"Estado: Gravador sem permissão",
         L"Status: no permission"},
    };
    open({});
    HWND label = control("estado");
    EXPECT_NE(GetWindowLongPtrW(label, GWL_STYLE) & SS_ENDELLIPSIS, 0) << "it may wrap";
    RECT room;
    GetClientRect(label, &room);
    for (const Row& row : rows) {
        const std::string english(*i18n::english_text(row.portuguese));
        for (const auto& [text, shown] :
             {std::pair(std::string(row.portuguese), row.shown_portuguese),
              std::pair(english, row.shown_english)}) {
            window->controller().set_connection_text(text);
            EXPECT_EQ(text_of(label), win::wide(text));
            const std::wstring least =
                shown == nullptr ? win::wide(text) : shown + std::wstring(L"...");
            EXPECT_LE(width_in_font_of(label, least), room.right) << text;
        }
    }
}

}  // namespace
}  // namespace vantro
