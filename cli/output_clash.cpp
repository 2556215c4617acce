// SPDX-License-Identifier: MIT
#include "cli/output_clash.h"

#include "i18n/texts.h"
#include "platform/file_identity.h"
#include "production/records.h"

namespace vantro::cli {

std::vector<ClashOutput> option_outputs(const CliOptions& options,
                                        const std::vector<production::Target>& targets) {
    std::vector<ClashOutput> outputs;
    if (options.log) {
        outputs.push_back({"--log", *options.log, {}});
    }
    for (const production::Target& target : targets) {
        for (const auto& [option, file] :
             {std::pair{"--trace", &options.trace}, std::pair{"--dump-flash", &options.dump_flash},
              std::pair{"--dump-eeprom", &options.dump_eeprom}}) {
            if (*file) {
                outputs.push_back({option, production::output_file(target, **file), {}});
            }
        }
    }
    return outputs;
}

std::optional<std::string> file_clash(const std::vector<ClashInput>& inputs,
                                      const std::vector<ClashOutput>& outputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const ClashOutput& output = outputs[i];
        for (const ClashInput& input : inputs) {
            if (platform::same_file(output.file, input.file)) {
                return output.where +
                       tr_args(
                           "%1 \"%2\" é %3, que seria apagado. Nada foi gravado nem enviado "
                           "ao gravador.",
                           {output.name, output.file, input.what});
            }
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (platform::same_file(output.file, outputs[j].file)) {
                return output.where +
                       tr_args(
                           "%1 e %2 dão o mesmo arquivo \"%3\". Nada foi gravado nem enviado "
                           "ao gravador.",
                           {outputs[j].name, output.name, output.file});
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> output_clash(const CliOptions& options,
                                        const std::vector<production::Target>& targets) {
    std::vector<ClashInput> inputs;
    if (!options.hex_file.empty()) {
        inputs.push_back({tr("o arquivo HEX"), options.hex_file});
    }
    return file_clash(inputs, option_outputs(options, targets));
}

std::optional<std::string> job_clash(const production::JobFile& job, const CliOptions& options,
                                     const std::vector<production::Target>& targets) {
    const auto where = [&job](const std::string& key) {
        const auto line = job.lines.find(key);
        return job.path + (line == job.lines.end() ? "" : ":" + std::to_string(line->second)) +
               ": ";
    };
    std::vector<ClashInput> inputs{{tr("o arquivo do job"), job.path}};
    for (const auto& [key, image] :
         {std::pair{"flash.file", &job.flash}, std::pair{"eeprom.file", &job.eeprom}}) {
        if (*image) {
            inputs.push_back({tr_args("o arquivo de %1", {key}), (*image)->file});
        }
    }
    if (job.serial && !job.serial->counter.empty()) {
        // Only read now, to seed the records on first use.
        inputs.push_back({tr("o contador"), job.serial->counter});
    }
    std::vector<ClashOutput> outputs{{"log", job.log, where("log")}};
    if (!production::is_records_url(job.records)) {
        // SQLite writes beside the records file too, while it works on it.
        outputs.push_back({"records", job.records, where("records")});
        for (const std::string& file : production::records_side_files(job.records)) {
            outputs.push_back({"records", file, where("records")});
        }
    }
    for (ClashOutput& output : option_outputs(options, targets)) {
        outputs.push_back(std::move(output));
    }
    return file_clash(inputs, outputs);
}

}  // namespace vantro::cli
