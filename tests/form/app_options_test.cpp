// SPDX-License-Identifier: MIT
// The window program's command line: what it accepts and how it refuses.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "form/app_options.h"

namespace vantro {
namespace {

struct Parsed {
    form::AppParseResult result;
    std::string out;
    std::string err;
};

Parsed parse(std::vector<const char*> args) {
    args.insert(args.begin(), "vantro");
    std::ostringstream out;
    std::ostringstream err;
    Parsed parsed{
        form::parse_app_options(static_cast<int>(args.size()), args.data(), out, err), {}, {}};
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
}

TEST(AppOptions, EmulatorWithSettingsTimeoutAndLanguage) {
    const Parsed p = parse({"--emulator", "--emulate", "latency=5", "--emulate", "lock=0x10",
                            "--timeout", "2.5", "--lang", "en"});
    ASSERT_TRUE(p.result.options.has_value()) << p.err;
    const form::AppOptions& o = *p.result.options;
    EXPECT_TRUE(o.emulator);
    EXPECT_EQ(o.emulator_setup.settings_of(1).latency, std::chrono::milliseconds(5));
    EXPECT_EQ(o.emulator_setup.settings_of(1).lock, 0x10);
    EXPECT_EQ(o.timeout, std::chrono::milliseconds(2500));
    EXPECT_EQ(o.lang, "en");
    EXPECT_FALSE(o.quit_after_show);
}

TEST(AppOptions, NoOptionsMeanTheRealProgrammerInPortuguese) {
    const Parsed p = parse({});
    ASSERT_TRUE(p.result.options.has_value());
    EXPECT_FALSE(p.result.options->emulator);
    EXPECT_EQ(p.result.options->timeout, protocol::kDefaultTimeout);
    EXPECT_TRUE(p.result.options->lang.empty());
}

struct Refusal {
    std::vector<const char*> args;
    const char* says;  // part of the message on err
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    for (const char* arg : refusal.args) {
        *out << arg << ' ';
    }
}

class AppOptionsRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(AppOptionsRefusal, SaysWhyOnErrAndExitsWithTwo) {
    const Parsed p = parse(GetParam().args);
    EXPECT_FALSE(p.result.options.has_value());
    EXPECT_EQ(p.result.exit_code, 2);
    EXPECT_NE(p.err.find(GetParam().says), std::string::npos) << p.err;
}

INSTANTIATE_TEST_SUITE_P(
    Window, AppOptionsRefusal,
    ::testing::Values(Refusal{{"--bogus"}, "--bogus"},
                      Refusal{{"--emulate", "latency=5"}, "--emulator"},
                      Refusal{{"--emulator", "--emulate", "latency=-1"}, "latency"},
                      Refusal{{"--emulator", "--emulate", "colour=red"}, "colour"},
                      Refusal{{"--timeout", "0"}, "--timeout"},
                      Refusal{{"--timeout", "soon"}, "não é um número"},
                      Refusal{{"--timeout", "nan"}, "não é um número"},
                      Refusal{{"--emulator", "--device", "/dev/hidraw0"}, "--device"},
                      Refusal{{"--lang", "fr"}, "--lang"}, Refusal{{"extra"}, "extra"},
                      Refusal{{"--device", "/dev/hidraw0", "--device", "/dev/hidraw1"},
                              "A janela usa um só gravador"}));

TEST(AppOptions, HelpAndVersionGoToOutAndExitWithZero) {
    const Parsed help = parse({"--help"});
    EXPECT_FALSE(help.result.options.has_value());
    EXPECT_EQ(help.result.exit_code, 0);
    EXPECT_NE(help.out.find("--emulator"), std::string::npos);
    EXPECT_EQ(help.out.find("--quit-after-show"), std::string::npos);
    // Started by its full path, the window names itself, and no command of vantro-cli.
    std::vector<const char*> by_path{"/usr/bin/vantro", "--help"};
    std::ostringstream out;
    std::ostringstream err;
    form::parse_app_options(static_cast<int>(by_path.size()), by_path.data(), out, err);
    EXPECT_NE(out.str().find("Uso: vantro [OPÇÕES]"), std::string::npos) << out.str();
    for (const char* absent : {"/usr/bin", "veja list", "comando parts", "vários ao mesmo tempo"}) {
        EXPECT_EQ(out.str().find(absent), std::string::npos) << absent << "\n" << out.str();
    }

    const Parsed version = parse({"--version"});
    EXPECT_EQ(version.result.exit_code, 0);
    EXPECT_NE(version.out.find(std::string("vantro ") + VANTRO_VERSION), std::string::npos);
}

}  // namespace
}  // namespace vantro
