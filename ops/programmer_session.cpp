// SPDX-License-Identifier: MIT
#include "ops/programmer_session.h"

#include "i18n/texts.h"

namespace vantro::ops {

using protocol::PROG_PID;
using protocol::PROG_VID;

namespace {

bool is_programmer(hid::HidLibrary& library, hid::DeviceHandle handle) {
    // Both ids are always asked, vendor first.
    const std::uint32_t vendor = library.GetVendorID(handle);
    const std::uint32_t product = library.GetProductID(handle);
    return vendor == PROG_VID && product == PROG_PID;
}

// The limit in seconds with no trailing zeros and the language's decimal
// separator: 10, 0,3, 0,25 in Portuguese; 0.3 in English.
std::string seconds_text(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000 != 0) {
        std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text = tr_args("%1,%2", {text, fraction});
    }
    return text;
}

}  // namespace

ProgrammerSession::ProgrammerSession(hid::HidLibrary& library, hid::EventPump& pump,
                                     Display& display)
    : library_(library), display_(display), link_(library, pump) {}

void ProgrammerSession::OnPlugged(hid::DeviceHandle pHandle) {
    if (!is_programmer(library_, pHandle)) {
        return;
    }
    programmer_removed_ = false;
    display_.set_connection_text(tr("Estado: Gravador Conectado"));
    // During an operation the buttons stay disabled, so no second operation can
    // start inside the first one's wait; the operation gives them back when it ends.
    if (!running_) {
        display_.habilita_comandos(true);
    }
}

void ProgrammerSession::OnUnplugged(hid::DeviceHandle pHandle) {
    display_.set_connection_text(tr("Estado: Gravador Desconectado"));
    if (!is_programmer(library_, pHandle)) {
        return;
    }
    programmer_removed_ = true;
    display_.set_connection_text(tr("Estado: Gravador Desconectado"));
    display_.habilita_comandos(false);
    link_.programmer_removed();
}

void ProgrammerSession::OnChanged() {
    const hid::DeviceHandle handle = library_.GetHandle(PROG_VID, PROG_PID);
    library_.SetReadNotify(handle, true);
}

void ProgrammerSession::OnRead(hid::DeviceHandle pHandle) {
    link_.take_answer(pHandle);
}

Outcome ProgrammerSession::fail(protocol::WaitEnd end, std::string_view status_text,
                                bool reset_progress) {
    using protocol::WaitEnd;
    Outcome outcome = Outcome::Cancelled;
    std::string message;
    switch (end) {
        case WaitEnd::Removed:
            outcome = Outcome::Removed;
            message = tr("O gravador foi desconectado durante a operação.");
            break;
        case WaitEnd::TimedOut:
            outcome = link_.answered() ? Outcome::WrongAnswer : Outcome::TimedOut;
            message = timeout_message();
            break;
        case WaitEnd::WriteFailed:
            outcome = Outcome::WriteFailed;
            message =
                tr("Não foi possível enviar o comando ao gravador. Verifique se ele está "
                   "conectado.");
            break;
        case WaitEnd::Cancelled:
        case WaitEnd::Answered:
            break;
    }
    // A cancel comes from the owner (the window is closing): nobody is left to read a box.
    if (outcome != Outcome::Cancelled) {
        display_.show_message(message, kApplicationTitle, MessageIcon::Critical);
    }
    return end_failed(outcome, status_text, reset_progress);
}

// The wait's command is still in buffer_saida[1]. An echo or data wait that got
// another answer says which; a lock-bit wait only ever ends on time with 0x7F,
// the answer that confirms nothing.
std::string ProgrammerSession::timeout_message() const {
    if (!link_.answered()) {
        return tr_args("O gravador não respondeu em %1 s.", {seconds_text(link_.timeout())});
    }
    const std::uint8_t command = link_.buffer_saida[1];
    if (command == protocol::kCmdLockBits) {
        return tr("O gravador respondeu 0x7F: os lock bits não foram confirmados.");
    }
    return tr_args("O gravador respondeu %1 em vez de %2.",
                   {hex::byte_text(link_.resposta()), hex::byte_text(command)});
}

Outcome ProgrammerSession::end_failed(Outcome outcome, std::string_view status_text,
                                      bool reset_progress) {
    if (reset_progress) {
        display_.set_progress_value(display_.progress_min());
    }
    // A cancelled run is told by whoever cancelled it (the CLI says what the chip
    // holds); calling it a failed write first would contradict that.
    if (outcome != Outcome::Cancelled) {
        display_.set_status(status_text);
    }
    give_buttons_back();
    return outcome;
}

void ProgrammerSession::give_buttons_back() {
    display_.habilita_comandos(!programmer_removed_);
}

}  // namespace vantro::ops
