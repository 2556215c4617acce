// SPDX-License-Identifier: MIT
#pragma once
// MainForm's behaviour, written once for every toolkit: each handler of the form
// (the four buttons, drops, the close guard, the HID events through the session)
// and the display the operations write, against a WindowSurface. A front-end
// renders the form, implements the surface and hands its events here.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "connection/backend.h"
#include "form/access_hint.h"
#include "form/window_surface.h"
#include "hid/event_loop.h"
#include "ops/attached_session.h"
#include "ops/display.h"

namespace vantro::form {

// A file dropped on a control, as the toolkit hands it over.
struct DroppedFile {
    std::string path;  // in the encoding the core opens files by
    bool is_file;      // a local file, not a folder nor anything remote
};

// The open dialog cmdlg1 of both windows.
OpenDialog hex_file_dialog();

// The form's caption, with what the backend says of itself after " — ".
std::string window_caption(std::string_view backend_description);

class WindowController : public ops::Display {
public:
    // library, loop and surface must outlive the controller. The session's HID
    // events come through loop, on the surface's thread.
    WindowController(hid::HidLibrary& library, hid::EventLoop& loop, WindowSurface& surface);
    WindowController(const WindowController&) = delete;
    WindowController& operator=(const WindowController&) = delete;

    // Attaches the library: the programmers present are announced when the loop
    // next runs. Called once the surface is whole.
    void Form_Load() { attached_.attach(); }
    // Detaches it; events still queued call no handler.
    void Form_Unload() { attached_.detach(); }
    // Says so when a programmer is present that this user may not open (the
    // backend must outlive the controller).
    void watch_access(connection::Backend& backend);

    // A click on the control called name; a control without a handler does nothing.
    void click(std::string_view control);
    void Command6_Click();  // "Gravar FLASH": the dialog chooses the file
    void Command1_Click();  // "Gravar EEPROM": refused before the dialog on a part without one
    void Command2_Click();  // "Gravar LOCK BITS": the boxes lb1..lb3
    void Command4_Click();  // "Apagar Memórias"

    // A drop on a programming button is taken while the button is enabled and
    // the drop is one *.hex or *.ihx file: a toolkit asks while the drag passes.
    bool takes_drop(std::string_view control, std::span<const DroppedFile> files) const;
    // Runs a taken drop, from the event loop, once the drop is over and if the
    // button is still enabled (an unplug may have come first). True when taken.
    bool drop(std::string_view control, std::span<const DroppedFile> files);

    // The window is asked to close. True when it may close now (the library is
    // detached then); while an operation waits, asks first, and a yes cancels it
    // and closes the window once its handler has returned.
    bool close_requested();

    ops::ProgrammerSession& session() { return attached_.session(); }
    // How the last handler's operation ended.
    std::optional<ops::Outcome> last_outcome() const { return last_outcome_; }

    // The display the operations write: each setter names its control.
    void set_record_label(int index, std::string_view text) override;
    void set_status(std::string_view text) override;
    void set_connection_text(std::string_view text) override;
    void habilita_comandos(bool enabled) override;
    float progress_min() const override { return 0.0f; }
    float progress_max() const override { return progress_max_; }
    float progress_value() const override { return progress_value_; }
    void set_progress_max(float max) override;
    void set_progress_value(float value) override;
    // During an operation the box waits for its end, to say what the chip holds.
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override;

    // A programming button: its operation and the session's handler.
    struct Programming;

private:
    struct Message {
        std::string text;
        std::string title;
        ops::MessageIcon icon;
    };

    // Sees each change of the device list before the session does.
    class WatchedLoop : public hid::EventLoop {
    public:
        explicit WatchedLoop(hid::EventLoop& loop) : loop_(loop) {}
        // The toolkit's loop may outlive this one: what it still holds goes nowhere.
        ~WatchedLoop() override {
            loop_.deliver_to([](const hid::HidEvent&) {});
        }
        WatchedLoop(const WatchedLoop&) = delete;
        WatchedLoop& operator=(const WatchedLoop&) = delete;
        void deliver_to(Delivery delivery) override;
        hid::EventPoster poster() override { return loop_.poster(); }
        void process_pending_events(Deadline deadline) override {
            loop_.process_pending_events(deadline);
        }
        void wake() override { loop_.wake(); }
        std::function<void()> on_device_list_changed;

    private:
        hid::EventLoop& loop_;
    };

    void choose_and_program(const Programming& programming);
    void carrega_hex(const Programming& programming, const std::string& path);
    void run(ops::Operation operation, const std::function<ops::Outcome()>& start);
    void show_held(std::vector<Message> messages, ops::Operation operation, ops::Outcome outcome);
    void set_bar();

    WindowSurface& surface_;
    WatchedLoop loop_;
    // Detaches in its destructor, before the loop goes.
    ops::AttachedSession attached_;
    std::optional<AccessHint> access_hint_;
    std::optional<std::vector<Message>> held_;  // engaged while an operation runs
    std::optional<ops::Outcome> last_outcome_;
    float progress_max_;
    float progress_value_ = 0.0f;
    bool commands_enabled_;
    bool close_after_operation_ = false;
};

}  // namespace vantro::form
