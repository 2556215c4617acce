// SPDX-License-Identifier: MIT
#pragma once
// A job file made ready to run: its images loaded and checked against their
// SHA-256 and the part, the serial number's place checked, and every step
// rehearsed, all before any programmer hears of it. Each chip then gets its own
// images, with its serial number written in, rehearsed again.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "firmware/firmware_model.h"
#include "ops/prepare.h"
#include "production/job_file.h"

namespace vantro::production {

struct ChipImages {
    std::shared_ptr<const ops::PreparedImage> flash;  // null: no FLASH step
    std::shared_ptr<const ops::PreparedImage> eeprom;
};

class JobPlan {
public:
    // Every check before the first report; the problem (naming the job file's line
    // and key) when the job must not start. `next_serial`: the counter's next number.
    // `model`: the firmware the rehearsal of the first chip runs.
    static std::variant<JobPlan, std::string> make(JobFile job,
                                                   std::optional<std::uint64_t> next_serial,
                                                   const firmware::FirmwareModel& model);

    const JobFile& job() const { return job_; }
    bool has_flash_step() const { return flash_ || serial_in(hex::Memory::Flash); }
    bool has_eeprom_step() const { return eeprom_ || serial_in(hex::Memory::Eeprom); }

    // One chip's images with its serial number in place, packed and rehearsed; the
    // refusal when a run would not write them exactly.
    // `model`: the firmware of the programmer the chip is in.
    std::variant<ChipImages, std::string> images_for(std::optional<std::uint64_t> serial,
                                                     const firmware::FirmwareModel& model) const;

private:
    explicit JobPlan(JobFile job) : job_(std::move(job)) {}
    bool serial_in(hex::Memory memory) const {
        return job_.serial && job_.serial->memory == memory;
    }

    JobFile job_;
    std::optional<ops::LoadedImage> flash_;  // as loaded, without a serial number
    std::optional<ops::LoadedImage> eeprom_;
};

}  // namespace vantro::production
