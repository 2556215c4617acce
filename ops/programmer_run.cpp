// SPDX-License-Identifier: MIT
#include "ops/programmer_run.h"

#include <thread>
#include <vector>

#include "hid/event_queue.h"
#include "ops/attached_session.h"

namespace vantro::ops {

RunEnd run_on_programmer(hid::HidLibrary& library, Display& display, const RunRequest& request) {
    const auto start = std::chrono::steady_clock::now();
    hid::EventQueue queue;
    AttachedSession wired(library, queue, display);
    ProgrammerSession& session = wired.session();
    session.set_timeout(request.timeout);
    session.use_image(request.image);
    session.set_part(request.part);
    session.set_firmware_model(request.model);
    session.see_chip_memory(request.memory);
    session.link().stop_on(request.stop);
    const std::stop_callback wake(request.stop, [&queue] { queue.wake(); });
    RunEnd end;
    // Programmers already present are announced by Connect and taken in at once.
    wired.attach();
    wired.pump();
    if (library.GetHandle(protocol::PROG_VID, protocol::PROG_PID) != 0) {
        end.outcome = session.run(request.operation, request.input);
        end.sent = session.link().wrote_in_operation();
        if (request.operation == Operation::Flash || request.operation == Operation::Eeprom) {
            end.image = request.image ? request.image : session.last_image();
        }
    }
    wired.detach();
    end.took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    return end;
}

void run_in_parallel(std::span<const ProgrammerJob> jobs, const RunRequest& request,
                     const std::function<void(std::size_t, const RunEnd&)>& ended) {
    std::vector<std::jthread> threads;
    threads.reserve(jobs.size());
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        threads.emplace_back([&jobs, &request, &ended, i] {
            RunRequest own = request;
            own.model = jobs[i].model;
            own.memory = jobs[i].memory;
            ended(i, run_on_programmer(*jobs[i].library, *jobs[i].display, own));
        });
    }
}

}  // namespace vantro::ops
