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
    RunningGuard(bool& running, protocol::CommandLink& link, Operation& slot, Operation operation)
        : running_(running) {
        running_ = true;
        slot = operation;
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
    RunningGuard guard(running_, link_, operation_, Operation::Erase);
    display_.set_status(tr("Apagando..."));
    // The buttons go off right after the write, before any event is handled.
    const WaitEnd end =
        link_.echo_exchange(protocol::kCmdErase, [this] { display_.habilita_comandos(false); });
    if (end != WaitEnd::Answered) {
        return fail(end, tr("Erro ao apagar!"), true);
    }
    give_buttons_back();
    display_.set_status(tr("Apagou com sucesso!"));
    return Outcome::Success;
}

Outcome ProgrammerSession::Command2_Click(LockBits lock_bits) {
    if (running_) {
        return Outcome::Busy;
    }
    RunningGuard guard(running_, link_, operation_, Operation::Lock);
    int lock_value = 0xE0;
    if (lock_bits.lb1) {
        lock_value += 1;
    }
    if (lock_bits.lb2) {
        lock_value += 2;
    }
    if (lock_bits.lb3) {
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

Outcome ProgrammerSession::Command6_Click(const std::string& hex_path) {
    return program(hex::Memory::Flash, hex_path);
}

Outcome ProgrammerSession::Command1_Click(const std::string& hex_path) {
    return program(hex::Memory::Eeprom, hex_path);
}

Outcome ProgrammerSession::run(Operation operation, const OperationInput& input) {
    switch (operation) {
        case Operation::Erase:
            return Command4_Click();
        case Operation::Flash:
            return Command6_Click(input.hex_path);
        case Operation::Eeprom:
            return Command1_Click(input.hex_path);
        case Operation::Lock:
            break;
    }
    return Command2_Click(input.lock_bits);
}

std::shared_ptr<const PreparedImage> ProgrammerSession::prepared_for(
    hex::Memory mode, const std::string& hex_path) const {
    PrepareSettings settings = prepare_settings_;
    settings.mode = mode;
    if (!given_image_) {
        return prepare(hex_path, settings);
    }
    // An image shared by several programmers comes packed and judged already: on
    // this programmer's firmware, or judged again here.
    if (given_image_->mode == mode && given_image_->model == settings.model) {
        return given_image_;
    }
    return prepare(static_cast<const LoadedImage&>(*given_image_), settings);
}

bool ProgrammerSession::refused_before_choice(hex::Memory mode) {
    const auto missing = missing_memory(prepare_settings_.part, mode);
    if (missing) {
        image_ = std::make_shared<PreparedImage>();
        display_.show_message(*missing, kApplicationTitle, MessageIcon::Critical);
    }
    return missing.has_value();
}

Outcome ProgrammerSession::program(hex::Memory mode, const std::string& hex_path) {
    if (running_) {
        return Outcome::Busy;
    }
    if (!given_image_ && refused_before_choice(mode)) {
        return Outcome::FileRefused;
    }
    image_ = prepared_for(mode, hex_path);
    if (!image_->chosen()) {
        return Outcome::NotChosen;
    }
    if (image_->refusal) {
        display_.show_message(*image_->refusal, kApplicationTitle, MessageIcon::Critical);
        return Outcome::FileRefused;
    }
    const PackedRun& packed = *image_->packed;
    const bool flash = mode == hex::Memory::Flash;
    // An EEPROM run erases nothing: elsewhere the chip must keep what it held.
    const std::vector<std::uint8_t>* seen = chip_memory_ && !flash ? chip_memory_(mode) : nullptr;
    const std::vector<std::uint8_t> before = seen ? *seen : std::vector<std::uint8_t>{};
    // Marked running, on a link started afresh, only once the run will send.
    RunningGuard guard(running_, link_, operation_, flash ? Operation::Flash : Operation::Eeprom);
    const std::uint8_t data_command = flash ? protocol::kCmdFlashData : protocol::kCmdEepromData;
    const std::string failed_status = tr("Erro na gravação!");

    display_.habilita_comandos(false);
    WaitEnd end = WaitEnd::Answered;
    if (flash) {
        display_.set_status(tr("Apagando..."));
        end = link_.echo_exchange(protocol::kCmdErase);
        if (end != WaitEnd::Answered) {
            return fail(end, failed_status, true);
        }
        display_.set_status(tr("Apagou com sucesso!"));
        display_.set_status(tr("Gravando..."));
    } else {
        display_.set_status(tr("Gravando EEPROM..."));
    }
    end = link_.echo_exchange(protocol::kCmdBegin);
    if (end != WaitEnd::Answered) {
        return fail(end, failed_status, true);
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
    return chip_holds_image(mode, before) ? Outcome::Success : Outcome::Mismatch;
}

bool ProgrammerSession::chip_holds_image(hex::Memory mode,
                                         const std::vector<std::uint8_t>& before) {
    const std::vector<std::uint8_t>* memory = chip_memory_ ? chip_memory_(mode) : nullptr;
    if (!memory) {
        return true;  // a real chip cannot be read back
    }
    const auto difference = image_->load.image.first_difference(*memory, before);
    if (!difference) {
        return true;
    }
    display_.show_message(tr_args("Memória emulada difere da imagem no endereço %1.",
                                  {hex::address_text(*difference)}),
                          kApplicationTitle, MessageIcon::Critical);
    return false;
}

}  // namespace vantro::ops
