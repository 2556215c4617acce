// SPDX-License-Identifier: MIT
#include "production/chip_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "hex/hex_image.h"
#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "platform/output_file.h"
#include "platform/utf8.h"

namespace vantro::production {

namespace {

void say(ops::Display& display, const std::string& text,
         ops::MessageIcon icon = ops::MessageIcon::Critical) {
    display.show_message(text, ops::kApplicationTitle, icon);
}

std::string unwritable_text(const std::string& file, int error) {
    return tr_args("Não foi possível gravar o arquivo \"%1\": %2",
                   {file, system_error_text(error)});
}

// Writes the memory to `file`, after what it holds when appending; false (errno
// set) when it could not.
bool write_dump(const std::string& file, const std::vector<std::uint8_t>& memory,
                platform::OutputMode mode) {
    const int fd = platform::open_output(file, mode);
    if (fd < 0) {
        return false;
    }
    if (!platform::write_all(fd, memory.data(), memory.size())) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    return ::close(fd) == 0;
}

bool save_dumps(const ChipOutputs& options, const Target& target,
                const connection::Backend& backend, platform::OutputMode mode,
                ops::Display& display) {
    bool saved = true;
    for (const auto& [dump, memory] : {std::pair{&options.dump_flash, hex::Memory::Flash},
                                       std::pair{&options.dump_eeprom, hex::Memory::Eeprom}}) {
        if (!*dump) {
            continue;
        }
        const std::string file = output_file(target, **dump);
        if (!write_dump(file, *backend.memory(memory), mode)) {
            say(display, unwritable_text(file, errno != 0 ? errno : EIO));
            saved = false;
        }
    }
    return saved;
}

}  // namespace

std::string no_programmer_text(const std::optional<std::string>& path) {
    return (path ? tr_args("Nenhum gravador em \"%1\".", {*path})
                 : tr("Nenhum gravador encontrado.")) +
           "\n" +
           tr("Conecte o gravador (vantro-cli list mostra os que estão presentes) ou use "
              "--emulator para experimentar sem hardware.");
}

std::string numbered_file(const std::string& path, int number) {
    std::filesystem::path numbered = platform::path_from_utf8(path);
    std::filesystem::path name = numbered.stem();
    name += "-";
    name += std::to_string(number);
    name += numbered.extension();
    numbered.replace_filename(name);
    return platform::utf8_from_path(numbered);
}

std::string output_file(const Target& target, const std::string& path) {
    return target.numbered_files ? numbered_file(path, target.number) : path;
}

ChipRun::ChipRun(const connection::ConnectionOptions& options, const ChipOutputs& outputs,
                 Target target, ops::Display& display, platform::OutputMode output_mode)
    : outputs_(outputs),
      target_(std::move(target)),
      display_(display),
      output_mode_(output_mode),
      backend_(connection::make_backend(options, target_.path)) {
    std::vector<std::string> dumps;
    if (sees_chip()) {
        for (const auto& dump : {outputs.dump_flash, outputs.dump_eeprom}) {
            if (dump) {
                dumps.push_back(output_file(target_, *dump));
            }
        }
    }
    // Tried before anything is sent, so an unwritable name refuses the run.
    for (const std::string& file : dumps) {
        const int fd = platform::open_output(file, output_mode);
        if (fd < 0) {
            say(display_, unwritable_text(file, errno));
            ready_ = false;
            return;
        }
        ::close(fd);
    }
    if (outputs.trace) {
        const std::string file = output_file(target_, *outputs.trace);
        // Held open while the stream opens, so that a FIFO's reader stays connected.
        const int fd = platform::open_output(file, output_mode);
        if (fd >= 0) {
            // Binary: one LF a line on every system.
            const auto keep =
                output_mode == platform::OutputMode::Append ? std::ios::app : std::ios::trunc;
            trace_file_.open(platform::path_from_utf8(file),
                             std::ios::out | keep | std::ios::binary);
            ::close(fd);
        }
        if (fd < 0 || !trace_file_) {
            say(display_, unwritable_text(file, errno));
            ready_ = false;
            return;
        }
        tracing_ = std::make_unique<hid::TracingHidLibrary>(backend_->library(), trace_file_);
    }
}

ChipEnd ChipRun::finish(const ops::RunEnd& run) {
    ChipEnd chip{run, ops::exit_code_for(run.outcome), run.outcome, std::nullopt};
    if (tracing_) {
        // A failed write never stopped the run; it is told now, with its reason.
        errno = 0;
        trace_file_.close();
        if (!trace_file_) {
            say(display_,
                unwritable_text(output_file(target_, *outputs_.trace), errno != 0 ? errno : EIO));
            if (chip.exit_code == ops::kExitSuccess) {
                chip.outcome = ops::Outcome::OutputFailed;
                chip.exit_code = ops::exit_code_for(chip.outcome);
            }
        }
    }
    if (run.outcome == ops::Outcome::NotFound) {
        const auto problem = backend_->access_problem();
        say(display_, problem ? problem->text : no_programmer_text(target_.path));
        return chip;
    }
    if (sees_chip()) {
        // The session checked the memory; a difference it has said already.
        if (chip.exit_code == ops::kExitSuccess && run.image) {
            say(display_, tr("Memória emulada confere com a imagem."),
                ops::MessageIcon::Information);
        }
        if (!save_dumps(outputs_, target_, *backend_, output_mode_, display_) &&
            chip.exit_code == ops::kExitSuccess) {
            chip.outcome = ops::Outcome::OutputFailed;
            chip.exit_code = ops::exit_code_for(chip.outcome);
        }
    }
    return chip;
}

}  // namespace vantro::production
