// SPDX-License-Identifier: MIT
#include "cli/output_clash.h"

#include "i18n/texts.h"
#include "platform/file_identity.h"

namespace vantro::cli {

namespace {

struct NamedOutput {
    const char* option;
    std::string file;
};

std::vector<NamedOutput> outputs_of(const CliOptions& options,
                                    const std::vector<production::Target>& targets) {
    std::vector<NamedOutput> outputs;
    if (options.log) {
        outputs.push_back({"--log", *options.log});
    }
    for (const production::Target& target : targets) {
        for (const auto& [option, file] :
             {std::pair{"--trace", &options.trace}, std::pair{"--dump-flash", &options.dump_flash},
              std::pair{"--dump-eeprom", &options.dump_eeprom}}) {
            if (*file) {
                outputs.push_back({option, production::output_file(target, **file)});
            }
        }
    }
    return outputs;
}

}  // namespace

std::optional<std::string> output_clash(const CliOptions& options,
                                        const std::vector<production::Target>& targets) {
    const std::vector<NamedOutput> outputs = outputs_of(options, targets);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (!options.hex_file.empty() && platform::same_file(outputs[i].file, options.hex_file)) {
            return tr_args(
                "%1 \"%2\" é o arquivo HEX, que seria apagado. Nada foi gravado nem enviado ao "
                "gravador.",
                {outputs[i].option, outputs[i].file});
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (platform::same_file(outputs[i].file, outputs[j].file)) {
                return tr_args(
                    "%1 e %2 dão o mesmo arquivo \"%3\". Nada foi gravado nem enviado ao "
                    "gravador.",
                    {outputs[j].option, outputs[i].option, outputs[i].file});
            }
        }
    }
    return std::nullopt;
}

}  // namespace vantro::cli
