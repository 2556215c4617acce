// SPDX-License-Identifier: MIT
#include "virtual/virtual_programmer.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "platform/printable_path.h"

namespace vantro::virtual_programmer {
namespace {

// A report from a hidraw write arrives whole, report id 0 first; a bare
// 64-byte one (an endpoint's view) gets its id back.
protocol::Report output_report(const uhid_output_req& output) {
    protocol::Report report{};
    const std::size_t size = std::min<std::size_t>(output.size, report.size());
    const std::size_t at = size == report.size() ? 0 : 1;
    std::copy_n(output.data, std::min(size, report.size() - at), report.begin() + at);
    return report;
}

}  // namespace

VirtualProgrammer::VirtualProgrammer(VirtualSetup setup, UhidDevice device,
                                     std::function<void(const std::string&)> say)
    : setup_(std::move(setup)),
      device_(std::move(device)),
      say_(std::move(say)),
      programmer_(setup_.settings) {}

bool VirtualProgrammer::create() {
    const DeviceIdentity identity{protocol::PROG_VID, protocol::PROG_PID, kVirtualProduct,
                                  setup_.serial};
    if (!device_.create(identity)) {
        say_(tr_args("O kernel recusou o dispositivo HID: %1", {system_error_text(errno)}));
        return false;
    }
    return true;
}

int VirtualProgrammer::run(int stop_fd) {
    if (!create()) {
        return 3;
    }
    say_(tr_args("Gravador virtual %1 conectado (1234:0001). Ctrl-C encerra.", {setup_.serial}));
    while (true) {
        pollfd watched[2] = {{stop_fd, POLLIN, 0}, {device_.descriptor(), POLLIN, 0}};
        if (::poll(watched, 2, wait_ms()) < 0 && errno != EINTR) {
            break;
        }
        if (watched[0].revents != 0) {
            break;
        }
        if (watched[1].revents != 0 && !handle_kernel_event()) {
            say_(tr_args("/dev/uhid falhou: %1", {system_error_text(errno)}));
            save_memories();
            return 3;
        }
        send_due_answers();
        if (replug_at_ && Clock::now() >= *replug_at_) {
            replug_at_.reset();
            programmer_.restart();
            if (!create()) {
                return 3;
            }
            say_(tr_args("Gravador virtual %1 conectado de novo.", {setup_.serial}));
        }
    }
    device_.destroy();
    save_memories();
    say_(tr_args("Gravador virtual %1 encerrado.", {setup_.serial}));
    return save_failed_ ? 1 : 0;
}

bool VirtualProgrammer::handle_kernel_event() {
    const std::optional<uhid_event> event = device_.read_event();
    if (!event) {
        return false;
    }
    switch (event->type) {
        case UHID_OUTPUT:
            receive(*event);
            break;
        case UHID_GET_REPORT:
        case UHID_SET_REPORT:
            device_.refuse_request(*event);
            break;
        default:
            break;  // start, stop, open, close: nothing to do
    }
    return true;
}

void VirtualProgrammer::receive(const uhid_event& output) {
    if (output.u.output.rtype != UHID_OUTPUT_REPORT || !device_.created()) {
        return;
    }
    const protocol::Report report = output_report(output.u.output);
    const emulator::Reaction reaction = programmer_.receive(report);
    const std::uint8_t command = report[1];
    // Before the answer, so that whoever reads the files after it finds them whole.
    if (command == protocol::kCmdEnd || command == protocol::kCmdLockBits) {
        save_memories();
    }
    if (reaction.unplugged) {
        device_.destroy();
        due_answers_.clear();
        say_(tr_args("Gravador virtual %1 desconectado no relatório %2.",
                     {setup_.serial, std::to_string(programmer_.reports_received())}));
        if (setup_.replug_after) {
            replug_at_ = Clock::now() + *setup_.replug_after;
        }
        return;
    }
    const Clock::time_point due = Clock::now() + setup_.settings.latency + reaction.delay;
    for (const protocol::Report& answer : reaction.answers) {
        // A late answer lets the ones after it overtake it.
        const auto place = std::upper_bound(
            due_answers_.begin(), due_answers_.end(), due,
            [](Clock::time_point t, const DueAnswer& due_answer) { return t < due_answer.due; });
        due_answers_.insert(place, {due, answer});
    }
}

void VirtualProgrammer::send_due_answers() {
    while (!due_answers_.empty() && due_answers_.front().due <= Clock::now()) {
        // The endpoint sends 64 bytes: no report id.
        device_.send_input(std::span(due_answers_.front().report).subspan(1));
        due_answers_.pop_front();
    }
}

int VirtualProgrammer::wait_ms() const {
    std::optional<Clock::time_point> next;
    if (!due_answers_.empty()) {
        next = due_answers_.front().due;
    }
    if (replug_at_ && (!next || *replug_at_ < *next)) {
        next = replug_at_;
    }
    if (!next) {
        return -1;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

void VirtualProgrammer::save_memories() {
    const auto save = [this](const std::optional<std::filesystem::path>& path, bool saved) {
        if (path && !saved) {
            say_(tr_args("Não foi possível gravar o arquivo \"%1\".",
                         {platform::printable_path(path->string())}));
            save_failed_ = true;
        }
    };
    save(setup_.dump_flash, !setup_.dump_flash || programmer_.save_flash(*setup_.dump_flash));
    save(setup_.dump_eeprom, !setup_.dump_eeprom || programmer_.save_eeprom(*setup_.dump_eeprom));
}

}  // namespace vantro::virtual_programmer
