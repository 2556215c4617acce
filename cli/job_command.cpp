// SPDX-License-Identifier: MIT
// job FILE.toml: the production job. The file is read and everything is checked
// (images, hashes, part, serial's place, the rehearsal of every step) before any
// programmer hears of it; then every socket programs its first chip at once, and
// the operator's keys start the next ones.

#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>
#include <variant>

#include "cli/commands.h"
#include "cli/job_display.h"
#include "cli/output_clash.h"
#include "cli/prompt_line.h"
#include "connection/backend.h"
#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "platform/computer_name.h"
#include "platform/console.h"
#include "platform/output_file.h"
#include "production/chip_run.h"
#include "production/job_plan.h"
#include "production/job_records.h"
#include "production/job_run.h"

namespace vantro::cli {

namespace {

using production::Socket;

struct SocketChoice {
    std::vector<Socket> sockets;
    int exit_code = ops::kExitSuccess;
    std::string problem;
};

Socket socket_of(const CliOptions& options, const connection::ProgrammerEntry& programmer,
                 int number) {
    return {number, programmer.path, programmer.serial,
            connection::firmware_model(options, programmer.path)};
}

// Every --device, else the job's sockets by serial number, else every programmer present.
SocketChoice choose_sockets(const CliOptions& options, const production::JobFile& job) {
    const std::vector<connection::ProgrammerEntry> listed = connection::list_programmers(options);
    SocketChoice choice;
    const auto add = [&](const std::string& device) {
        for (const connection::ProgrammerEntry& programmer : listed) {
            if (connection::names_programmer(device, programmer)) {
                choice.sockets.push_back(
                    socket_of(options, programmer, static_cast<int>(choice.sockets.size()) + 1));
                return true;
            }
        }
        return false;
    };
    for (const std::string& device : options.device_paths) {
        if (!add(device)) {
            return {{}, ops::kExitNoDevice, production::no_programmer_text(device)};
        }
    }
    if (!options.device_paths.empty()) {
        return choice;
    }
    for (const std::string& serial : job.sockets) {
        if (!add(std::string(connection::kSerialPrefix) + serial)) {
            return {{},
                    ops::kExitNoDevice,
                    job.problem("sockets", tr_args("nenhum gravador presente tem o número de "
                                                   "série %1",
                                                   {serial}))};
        }
    }
    if (job.sockets.empty()) {
        for (const connection::ProgrammerEntry& programmer : listed) {
            choice.sockets.push_back(
                socket_of(options, programmer, static_cast<int>(choice.sockets.size()) + 1));
        }
    }
    if (choice.sockets.empty()) {
        return {{}, ops::kExitNoDevice, production::no_programmer_text()};
    }
    return choice;
}

// How many serial numbers the format has left, and a warning near its end; a
// line each.
std::string range_text(const production::JobSerial& serial, std::uint64_t next) {
    const std::uint64_t left = production::numbers_left(serial.format, next, serial.step);
    const std::string count = std::to_string(left);
    const std::string format = serial.format.name();
    const std::string largest = std::to_string(serial.format.largest());
    std::string text = tr_args("Números de série: restam %1 no formato %2 (o maior é %3).",
                               {count, format, largest}) +
                       "\n";
    // The format's last hundredth: time for a new range, before the line stops.
    if (left <= production::numbers_left(serial.format, 0, serial.step) / 100) {
        text += tr_args(
                    "Aviso: restam só %1 números de série no formato %2 (o maior é %3); ao "
                    "fim deles o job para.",
                    {count, format, largest}) +
                "\n";
    }
    return text;
}

// Where the job's chips are recorded.
std::string records_text(const production::JobFile& job) {
    return tr_args("Registros: %1", {job.records});
}

// Clashes between the job's files and every socket's outputs, then each output
// opened empty: a name that cannot be written stops the job before its first chip.
std::optional<std::string> outputs_problem(const CliOptions& options,
                                           const production::JobFile& job,
                                           const std::vector<Socket>& sockets) {
    std::vector<production::Target> targets;
    for (const Socket& socket : sockets) {
        targets.push_back(job_target(options, socket, sockets.size() > 1));
    }
    if (auto clash = job_clash(job, options, targets)) {
        return clash;
    }
    for (const ClashOutput& output : option_outputs(options, targets)) {
        const int fd = platform::open_output(output.file, platform::OutputMode::Truncate);
        if (fd < 0) {
            return tr_args("Não foi possível gravar o arquivo \"%1\": %2",
                           {output.file, system_error_text(errno)}) +
                   "\n" + tr("Nada foi enviado ao gravador.");
        }
        ::close(fd);
    }
    return std::nullopt;
}

// The operator's lines, read on a thread of their own so that a signal or a
// stopped job never waits for a key. Shared with that thread, which may outlive
// the job while it waits for a line that never comes.
struct Keys {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<std::string> lines;
    bool ended = false;  // q, Ctrl-D or the end of the input

    static std::shared_ptr<Keys> read_from_stdin() {
        auto keys = std::make_shared<Keys>();
        std::thread([keys] {
            std::string line;
            while (std::getline(std::cin, line)) {
                std::lock_guard lock(keys->mutex);
                keys->lines.push_back(line);
                keys->arrived.notify_all();
            }
            std::lock_guard lock(keys->mutex);
            keys->ended = true;
            keys->arrived.notify_all();
        }).detach();
        return keys;
    }
};

// Starts chips as the keys say until q, the end of the input, a signal or a stop.
// On a terminal Enter starts the sockets whose chip the operator has seen end;
// typed ahead by a script, every socket once each is done.
void serve_keys(production::JobRun& run, Keys& keys, JobDisplay& display, bool terminal,
                std::stop_token stop) {
    const std::stop_callback wake(stop, [&keys] { keys.arrived.notify_all(); });
    std::unique_lock lock(keys.mutex);
    for (;;) {
        // A stopped job is looked at now and then: it ends after its running chips.
        keys.arrived.wait_for(lock, std::chrono::milliseconds(200), [&] {
            return !keys.lines.empty() || keys.ended || stop.stop_requested();
        });
        if (stop.stop_requested() || run.stopped()) {
            return;
        }
        if (keys.lines.empty()) {
            if (keys.ended) {
                return;
            }
            continue;
        }
        const std::string line = keys.lines.front();
        keys.lines.pop_front();
        lock.unlock();
        if (terminal) {
            display.line_typed();
        }
        if (line.empty()) {
            if (terminal) {
                run.start_sockets(display.take_enter_sockets());
            } else {
                run.start_every_socket();
            }
        } else if (line.front() == 'q' || line.front() == 'Q') {
            return;
        } else if (run.start_socket(std::atoi(line.c_str()))) {
            display.started_by_key(std::atoi(line.c_str()));
        } else {
            display.say(tr_args("Não há soquete \"%1\".", {line}));
        }
        lock.lock();
    }
}

// --operator, else the job file's operator, asked for when it says "ask". An
// outer nothing: asked, and not answered; an inner one: no operator named.
std::optional<std::optional<std::string>> operator_of(const CliOptions& options,
                                                      const production::JobFile& job) {
    if (options.operator_name || !job.operator_name) {
        return options.operator_name;
    }
    if (*job.operator_name != production::kAskOperator) {
        return job.operator_name;
    }
    for (;;) {
        const auto answer = prompt_line(tr("Operador: "));
        if (!answer) {
            return std::nullopt;
        }
        if (!answer->empty()) {
            return std::optional<std::string>(*answer);
        }
    }
}

}  // namespace

int run_job(const CliOptions& options, TerminalDisplay& display, Interruption& interruption) {
    auto read = production::read_job_file(options.job_file, platform::computer_name());
    if (!read.job) {
        display.print_line(read.problem);
        return ops::kExitUsage;
    }
    const production::JobFile& job = *read.job;
    if (const auto clash = job_clash(job, options, {})) {
        display.print_line(*clash);
        return ops::kExitUsage;
    }
    // Read first: a job refused below leaves no records file behind.
    auto opened = production::open_job_records(job, production::RecordsAccess::Read);
    if (const auto* problem = std::get_if<std::string>(&opened)) {
        display.print_line(*problem);
        return ops::kExitUsage;
    }
    production::JobRecords& records = std::get<production::JobRecords>(opened);
    const std::optional<std::uint64_t> next_serial = records.next_serial;
    auto made = production::JobPlan::make(std::move(*read.job), next_serial,
                                          connection::firmware_model(options, std::nullopt));
    if (const auto* problem = std::get_if<std::string>(&made)) {
        display.print_line(*problem);
        return ops::kExitUsage;
    }
    const production::JobPlan& plan = std::get<production::JobPlan>(made);
    const std::string range = next_serial ? range_text(*plan.job().serial, *next_serial) : "";
    if (options.check_only) {
        platform::write_text(stdout,
                             records_text(plan.job()) + "\n" + range +
                                 tr_args("Job \"%1\" conferido: %2; nada foi enviado a um "
                                         "gravador.",
                                         {plan.job().name, std::string(plan.job().part.name)}) +
                                 "\n");
        return ops::kExitSuccess;
    }
    const SocketChoice choice = choose_sockets(options, plan.job());
    if (choice.sockets.empty()) {
        display.print_line(choice.problem);
        return choice.exit_code;
    }
    if (const auto problem = outputs_problem(options, plan.job(), choice.sockets)) {
        display.print_line(*problem);
        return ops::kExitUsage;
    }
    std::string reason;
    const auto log = production::ChipLog::open(plan.job().log, reason);
    if (!log) {
        display.print_line(
            tr_args("Não foi possível abrir o registro \"%1\": %2", {plan.job().log, reason}));
        return ops::kExitUsage;
    }
    log->set_durable(true);
    const auto operator_name = operator_of(options, plan.job());
    if (!operator_name) {
        display.print_line(
            tr("O job pede o nome de quem opera a linha (operator = \"ask\"); "
               "informe-o, ou use --operator NOME."));
        return ops::kExitUsage;
    }
    auto ready = production::open_job_records(plan.job(), production::RecordsAccess::Write);
    if (const auto* problem = std::get_if<std::string>(&ready)) {
        display.print_line(*problem);
        return ops::kExitUsage;
    }
    records = std::move(std::get<production::JobRecords>(ready));
    if (!records.notice.empty()) {
        display.print_line(records.notice);
    }
    display.print_line(records_text(plan.job()));
    if (records.next_serial) {
        const std::string left = range_text(*plan.job().serial, *records.next_serial);
        display.print_line(left.substr(0, left.size() - 1));
    }

    const bool terminal = platform::is_terminal(stdin);
    JobDisplay job_display(options, choice.sockets, plan.job().records, terminal && !options.quiet,
                           terminal && !options.quiet, interruption);
    if (!interruption.begin_run(
            tr("Interrompido: o chip ficou parcialmente gravado; apague e grave de novo."))) {
        wait_for_the_end();
    }
    const auto keys = Keys::read_from_stdin();
    production::JobSettings settings{options.timeout, VANTRO_VERSION, !terminal, *operator_name};
    production::JobRun run(plan, choice.sockets, job_display, *log, *records.records, settings,
                           interruption.stop_token());
    serve_keys(run, *keys, job_display, terminal, interruption.stop_token());
    run.finish();
    const int signal = interruption.end_run();
    job_display.print_summary(run.sockets(), run.tallies());
    int code = run.exit_code();
    if (!log->write_line(run.summary_json()) && !run.stopped()) {
        display.print_line(tr_args("Não foi possível gravar o registro \"%1\": %2",
                                   {plan.job().log, log->failure().value_or("")}));
        code = std::max(code, static_cast<int>(ops::kExitUsage));
    }
    return signal != 0 ? ops::exit_code_for_signal(signal) : code;
}

}  // namespace vantro::cli
