// SPDX-License-Identifier: MIT
// The four command buttons: erase, FLASH, EEPROM and lock bits.

#include "i18n/texts.h"
#include "ops/programmer_session.h"

namespace vantro::ops {

using protocol::WaitEnd;

namespace {

// Marks an operation as running for as long as it lives, on a link started afresh.
class RunningGuard {
public:
    RunningGuard(bool& running, protocol::CommandLink& link) : running_(running) {
        running_ = true;
        link.begin_operation();
    }
    ~RunningGuard() { running_ = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

private:
    bool& running_;
};

}  // namespace

Outcome ProgrammerSession::Command4_Click() {
    if (running_) {
        return Outcome::Busy;
    }
    RunningGuard guard(running_, link_);
    display_.set_status(tr("Apagando..."));
    // The buttons go off right after the write, before any event is handled.
    const WaitEnd end =
        link_.echo_exchange(protocol::kCmdErase, [this] { display_.habilita_comandos(false); });
    if (end != WaitEnd::Answered) {
        return fail(end, tr("Erro ao apagar!"), false);
    }
    give_buttons_back();
    display_.set_status(tr("Apagou com sucesso!"));
    return Outcome::Success;
}

Outcome ProgrammerSession::Command2_Click() {
    if (running_) {
        return Outcome::Busy;
    }
    RunningGuard guard(running_, link_);
    int lock_value = 0xE0;
    // Only a checked box (1) counts; unchecked (0) and grayed (2) add nothing.
    if (display_.lock_bit_box(1) == 1) {
        lock_value += 1;
    }
    if (display_.lock_bit_box(2) == 1) {
        lock_value += 2;
    }
    if (display_.lock_bit_box(3) == 1) {
        lock_value += 4;
    }
    const WaitEnd end = link_.lock_exchange(static_cast<std::uint8_t>(lock_value),
                                            [this] { display_.habilita_comandos(false); });
    if (end != WaitEnd::Answered) {
        return fail(end, tr("Erro na gravação de Lock bits!"), false);
    }
    give_buttons_back();
    static constexpr std::string_view kLockTitle = "Vantro Velmora";
    if (link_.resposta() == protocol::kLockSuccess) {
        display_.show_message(tr("Lock bits gravados com sucesso!!!"), kLockTitle,
                              MessageIcon::Information);
        return Outcome::Success;
    }
    display_.show_message(
        tr_args("Falha na gravação de Lock bits %1", {std::to_string(link_.resposta())}),
        kLockTitle, MessageIcon::Information);
    return Outcome::Refused;
}

Outcome ProgrammerSession::Command6_Click() {
    return program(hex::PackMode::Flash);
}

Outcome ProgrammerSession::Command1_Click() {
    return program(hex::PackMode::Eeprom);
}

Outcome ProgrammerSession::run(Operation operation) {
    using Click = Outcome (ProgrammerSession::*)();
    // In Operation's order: erase, FLASH, EEPROM, lock bits.
    static constexpr Click kClicks[] = {
        &ProgrammerSession::Command4_Click, &ProgrammerSession::Command6_Click,
        &ProgrammerSession::Command1_Click, &ProgrammerSession::Command2_Click};
    return (this->*kClicks[static_cast<std::size_t>(operation)])();
}

std::shared_ptr<const PreparedImage> ProgrammerSession::prepared_for(hex::PackMode mode) {
    PrepareSettings settings = prepare_settings_;
    settings.mode = mode;
    if (!given_image_) {
        return prepare(display_.choose_hex_file(), settings);
    }
    // An image shared by several programmers comes packed and judged already.
    if (given_image_->mode == mode) {
        return given_image_;
    }
    return prepare(static_cast<const LoadedImage&>(*given_image_), settings);
}

Outcome ProgrammerSession::program(hex::PackMode mode) {
    if (running_) {
        return Outcome::Busy;
    }
    image_ = prepared_for(mode);
    if (!image_->chosen()) {
        return Outcome::NotChosen;
    }
    if (image_->refusal) {
        display_.show_message(*image_->refusal, kApplicationTitle, MessageIcon::Critical);
        return Outcome::FileRefused;
    }
    const PackedRun& packed = *image_->packed;
    // Marked running only now: while the file dialog is open, a plugged
    // programmer must still enable the buttons.
    RunningGuard guard(running_, link_);
    const bool flash = mode == hex::PackMode::Flash;
    const std::uint8_t data_command = flash ? protocol::kCmdFlashData : protocol::kCmdEepromData;
    const std::string failed_status = tr("Erro na gravação!");

    display_.habilita_comandos(false);
    WaitEnd end = WaitEnd::Answered;
    if (flash) {
        display_.set_status(tr("Apagando..."));
        end = link_.echo_exchange(protocol::kCmdErase);
        if (end != WaitEnd::Answered) {
            return fail(end, failed_status, false);
        }
        display_.set_status(tr("Apagou com sucesso!"));
        display_.set_status(tr("Gravando..."));
    } else {
        display_.set_status(tr("Gravando EEPROM..."));
    }
    end = link_.echo_exchange(protocol::kCmdBegin);
    if (end != WaitEnd::Answered) {
        return fail(end, failed_status, false);
    }

    display_.set_progress_max(static_cast<float>(image_->table.total_linhas + 3));
    display_.set_progress_value(0.0f);
    for (std::size_t k = 0; k < packed.reports().size(); ++k) {
        packed.load_report(k, link_.buffer_saida, display_);
        end = link_.data_exchange();
        if (end != WaitEnd::Answered) {
            return fail(end, failed_status, true);
        }
        if (link_.resposta() != data_command) {
            display_.show_message(tr("Erro na gravação"), kApplicationTitle, MessageIcon::None);
            return end_failed(Outcome::Refused, failed_status, true);
        }
        display_.set_progress_value(display_.progress_value() + 3.0f);
    }

    end = link_.echo_exchange(protocol::kCmdEnd);
    if (end != WaitEnd::Answered) {
        return fail(end, failed_status, true);
    }
    display_.set_progress_value(display_.progress_max());
    display_.set_status(tr("Gravou com sucesso!"));
    give_buttons_back();
    return Outcome::Success;
}

}  // namespace vantro::ops
