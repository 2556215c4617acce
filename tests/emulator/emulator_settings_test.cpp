// SPDX-License-Identifier: MIT
// --emulate KEY=VALUE items: what each key sets, and what is refused.

#include <gtest/gtest.h>

#include "emulator/emulator_setup.h"
#include "tests/support/read_all.h"

namespace vantro::emulator {
namespace {

struct Accepted {
    const char* item;
    void (*expect)(const EmulatorSettings&);
};

const Accepted kAccepted[] = {
    {"flash=1", [](const EmulatorSettings& s) { EXPECT_EQ(s.model.flash_size, 1u); }},
    {"flash=0x10000", [](const EmulatorSettings& s) { EXPECT_EQ(s.model.flash_size, 65536u); }},
    {"eeprom=65536", [](const EmulatorSettings& s) { EXPECT_EQ(s.model.eeprom_size, 65536u); }},
    {"eeprom=0X80", [](const EmulatorSettings& s) { EXPECT_EQ(s.model.eeprom_size, 128u); }},
    {"latency=0", [](const EmulatorSettings& s) { EXPECT_EQ(s.latency.count(), 0); }},
    {"latency=60000", [](const EmulatorSettings& s) { EXPECT_EQ(s.latency.count(), 60000); }},
    {"refuse=1", [](const EmulatorSettings& s) { EXPECT_EQ(s.refuse, 1u); }},
    {"silent=0x10", [](const EmulatorSettings& s) { EXPECT_EQ(s.silent, 16u); }},
    {"unplug=007", [](const EmulatorSettings& s) { EXPECT_EQ(s.unplug, 7u); }},
    {"twice=18446744073709551615",
     [](const EmulatorSettings& s) { EXPECT_EQ(s.twice, 18446744073709551615u); }},
    {"late=2", [](const EmulatorSettings& s) { EXPECT_EQ(s.late, 2u); }},
    {"lock=0", [](const EmulatorSettings& s) { EXPECT_EQ(s.lock, 0); }},
    {"lock=0xfF", [](const EmulatorSettings& s) { EXPECT_EQ(s.lock, 0xFF); }},
    {"wrap=off", [](const EmulatorSettings& s) { EXPECT_FALSE(s.model.wrap); }},
    {"eeprom-ff=write", [](const EmulatorSettings& s) { EXPECT_TRUE(s.model.eeprom_ff_write); }},
    {"eeprom-fill=a5", [](const EmulatorSettings& s) { EXPECT_EQ(s.model.eeprom_fill, 0xA5); }},
};

TEST(EmulatorSettings, AcceptsEveryKeyInDecimalAndHex) {
    for (const Accepted& row : kAccepted) {
        SCOPED_TRACE(row.item);
        EmulatorSettings settings;
        EXPECT_EQ(apply_setting(settings, row.item), std::nullopt);
        row.expect(settings);
    }
}

struct Refused {
    const char* item;
    const char* message;
};

constexpr const char* kKeyList =
    "(chaves: flash, eeprom, latency, refuse, silent, unplug, twice, late, lock, wrap, "
    "eeprom-ff, eeprom-fill)";

const Refused kRefused[] = {
    {"flash", kKeyList},
    {"=5", kKeyList},
    {"speed=3", kKeyList},
    {"Flash=1", kKeyList},
    {"", kKeyList},
    {"flash=0", "(flash: de 1 a 65536)"},
    {"flash=65537", "(flash: de 1 a 65536)"},
    {"flash=", "(flash: de 1 a 65536)"},
    {"flash=-1", "(flash: de 1 a 65536)"},
    {"flash=+1", "(flash: de 1 a 65536)"},
    {"flash= 1", "(flash: de 1 a 65536)"},
    {"flash=1k", "(flash: de 1 a 65536)"},
    {"flash=0x", "(flash: de 1 a 65536)"},
    {"eeprom=0", "(eeprom: de 1 a 65536)"},
    {"latency=60001", "(latency: de 0 a 60000)"},
    {"refuse=0", "(refuse: 1 ou mais)"},
    {"silent=1=2", "(silent: 1 ou mais)"},
    {"twice=18446744073709551616", "(twice: 1 ou mais)"},
    {"late=0", "(late: 1 ou mais)"},
    {"lock=256", "(lock: de 0 a 255)"},
    {"lock=0x1G", "(lock: de 0 a 255)"},
    {"wrap=1", "(wrap: on ou off)"},
    {"eeprom-ff=SKIP", "(eeprom-ff: skip ou write)"},
    {"eeprom-fill=0x0", "(eeprom-fill: dois dígitos hexadecimais)"},
    {"eeprom-fill=F", "(eeprom-fill: dois dígitos hexadecimais)"},
};

TEST(EmulatorSettings, RefusesBadItemsWithAMessageAndChangesNothing) {
    for (const Refused& row : kRefused) {
        SCOPED_TRACE(row.item);
        EmulatorSettings settings;
        const std::optional<std::string> error = apply_setting(settings, row.item);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->find(std::string("Configuração do emulador inválida: \"") + row.item +
                              "\" " + row.message),
                  0u)
            << *error;
        EXPECT_EQ(settings.model.flash_size, 65536u);
        EXPECT_EQ(settings.model.eeprom_size, 65536u);
        EXPECT_EQ(settings.latency.count(), 0);
        EXPECT_FALSE(settings.refuse || settings.silent || settings.twice || settings.late ||
                     settings.lock);
        EXPECT_TRUE(settings.model.wrap && !settings.model.eeprom_ff_write &&
                    settings.model.eeprom_fill == 0xFF);
    }
}

// The man pages (both languages) and the README list the table's keys, no more,
// each with its values.
TEST(EmulatorSettings, DocumentationListsEveryKeyOfTheTable) {
    const auto top =
        std::filesystem::path(VANTRO_TEST_DATA).parent_path().parent_path().parent_path();
    const std::string readme = testing::read_all(top / "README.md");
    for (const SettingKey& key : setting_keys()) {
        EXPECT_NE(readme.find("`" + std::string(key.name) + "="), std::string::npos) << key.name;
    }
    const struct {
        const char* path;
        const char* section;
        const char* range;       // "from MIN to MAX"
        const char* hex_digits;  // a byte's value
    } pages[] = {
        {"packaging/linux/vantro-cli.1.in", "EMULATOR SETTINGS", "from %1 to %2",
         "two hexadecimal digits"},
        {"packaging/linux/vantro-cli.pt_BR.1.in", "CONFIGURAÇÕES DO EMULADOR", "de %1 a %2",
         "dois dígitos hexadecimais"},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.path);
        std::string man = testing::read_all(top / page.path);
        man = man.substr(man.find(std::string(".SH ") + page.section));
        man = man.substr(0, man.find("\n.SH ", 1));
        std::size_t entries = 0;
        for (std::size_t at = man.find("\n.TP\n"); at != std::string::npos;
             at = man.find("\n.TP\n", at + 1)) {
            ++entries;
        }
        EXPECT_EQ(entries, setting_keys().size() + 1);  // programmers=N is not a firmware setting
        for (const SettingKey& key : setting_keys()) {
            std::string name(key.name);
            SCOPED_TRACE(name);
            for (std::size_t dash = name.find('-'); dash != std::string::npos;
                 dash = name.find('-', dash + 2)) {
                name.replace(dash, 1, "\\-");
            }
            const std::size_t start = man.find(" " + name + "=");
            ASSERT_NE(start, std::string::npos);
            const std::string entry = man.substr(start, man.find("\n.TP\n", start) - start);
            std::string values = page.range;
            values.replace(values.find("%1"), 2, std::to_string(key.min));
            values.replace(values.find("%2"), 2, std::to_string(key.max));
            if (key.kind == ValueKind::Word) {
                values = std::string(key.words[0]) + " | " + std::string(key.words[1]);
            } else if (key.kind == ValueKind::HexByte) {
                values = page.hex_digits;
            } else if (key.max == UINT64_MAX) {
                values.clear();
            }
            EXPECT_NE(entry.find(values), std::string::npos) << entry;
        }
    }
}

}  // namespace
}  // namespace vantro::emulator

namespace vantro::emulator {
namespace {

TEST(EmulatorSetup, KOfAtHitsOnlyThatProgrammerAndBadTargetsAreRefused) {
    EmulatorSetup setup;
    for (const char* item : {"programmers=3", "lock=1", "lock=5@2", "refuse=4@0x3"}) {
        EXPECT_EQ(setup.apply(item), std::nullopt) << item;
    }
    EXPECT_EQ(setup.check(), std::nullopt);
    EXPECT_EQ(setup.settings_of(1).lock, 1);
    EXPECT_EQ(setup.settings_of(2).lock, 5);
    EXPECT_EQ(setup.settings_of(3).refuse, 4u);
    EXPECT_FALSE(setup.settings_of(1).refuse || setup.settings_of(2).refuse);
    for (const char* item : {"programmers=0", "programmers=33", "programmers=2@1", "refuse=1@0",
                             "refuse=1@", "refuse=1@x", "speed=1@2"}) {
        EXPECT_NE(setup.apply(item), std::nullopt) << item;
    }
    EXPECT_EQ(setup.programmers(), 3);
    EXPECT_EQ(setup.apply("twice=2@4"), std::nullopt);
    EXPECT_NE(setup.check(), std::nullopt);  // only three programmers
}

}  // namespace
}  // namespace vantro::emulator
