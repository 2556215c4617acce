// SPDX-License-Identifier: MIT
// vantro-cli on the emulated programmer: exit codes, messages, the report trace.

#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using testing::run_cli;
using testing::TempFile;

using testing::kWorkedExample;

std::string worked_example_trace() {
    const std::string zeros(126, '0');
    const std::string data1 =
        "00BB"
        "000100"
        "000102030405060708090A0B0C0D0E0F"
        "000110"
        "E4F5A0" +
        std::string(26, 'F') + std::string(38, 'F') + "FFFFFFFFFF" + "00";
    const std::string empty_slot = "00FFFF" + std::string(32, 'F');
    const std::string data2 = "00BB" + empty_slot + empty_slot + empty_slot + "FFFFFFFFFF" + "00";
    return "00AA" + zeros + "\n" + "00CC" + zeros + "\n" + data1 + "\n" + data2 + "\n" + "00DD" +
           data2.substr(4) + "\n";
}

TEST(CliFlash, WorkedExampleTraceIsExactAndTheMemoryMatches) {
    TempFile hex("cli-worked.hex", kWorkedExample);
    const std::string trace = testing::scratch_path("worked.trace");
    const auto run = run_cli("--emulator --trace '" + trace + "' flash '" + hex.path() + "'");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(testing::read_all(trace), worked_example_trace());
    EXPECT_NE(run.err.find("Gravou com sucesso!"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Memória emulada confere com a imagem."), std::string::npos);
}

TEST(CliCheck, FileNamedInCyrillicAndPortugueseIsReadAndNamed) {
    TempFile hex("файл-gravação.hex", kWorkedExample);
    const auto run = run_cli("check '" + hex.path() + "'");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("Arquivo: " + hex.path()), std::string::npos) << run.out;
}

// EEPROM 0xFF bytes are left alone: counted by check, refused over an EEPROM of
// zeros; the emulated EEPROM is as large as the rehearsal's, past 0x0800.
TEST(CliCheck, EepromBytesFFAreCountedAndJudgedOnTheEmulatorsFill) {
    TempFile hex("cli-ff.hex", ":03002000FF01FFDE\n:010900005A9C\n:00000001FF\n");
    const std::string trace = testing::scratch_path("ff.trace");
    const struct {
        const char* arguments;
        int exit_code;
        const char* says;  // on stdout and stderr
    } rows[] = {
        {"check", 0, "EEPROM: 2 bytes 0xFF na imagem, o primeiro em 0x0020"},
        {"--emulator eeprom", 0, "Memória emulada confere com a imagem."},
        {"--emulator --emulate eeprom-fill=00 check", 2,
         "no endereço 0x0020 o chip ficaria com 0x00, mas a imagem dá 0xFF"},
        // check judges the emulator's model, as the run does.
        {"--emulator --emulate eeprom-ff=write check", 2, "sobrescreveria 0x0000–0x000F"},
        {"--emulator --emulate eeprom-fill=00 eeprom", 2,
         "no endereço 0x0020 o chip ficaria com 0x00, mas a imagem dá 0xFF"},
        {"--emulator --emulate programmers=2 --emulate eeprom-fill=00@2 --all eeprom", 2,
         "emulated:2: Ensaio da gravação: no endereço 0x0020"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        std::remove(trace.c_str());
        // check sends nothing, and takes no --trace.
        const bool check = std::string(row.arguments).ends_with("check");
        const auto run = run_cli(std::string(row.arguments) + " '" + hex.path() + "'" +
                                 (check ? "" : " --trace '" + trace + "'"));
        EXPECT_EQ(run.exit_code, row.exit_code) << run.err;
        EXPECT_NE((run.out + run.err).find(row.says), std::string::npos) << run.out << run.err;
        if (row.exit_code != 0) {
            EXPECT_EQ(testing::read_all(trace), "");  // nothing sent
        }
    }
}

// What the file holds is said before it is sent: records after the end record
// (ignored) with their line, and a file without data.
TEST(CliCheck, RecordsAfterTheEndAndAFileWithoutDataAreSaid) {
    TempFile late("cli-late.hex", ":01000000AA55\n:00000001FF\n\n:01000100BB43\n");
    TempFile empty("cli-empty.hex", ":00000001FF\n");
    const struct {
        std::string arguments;
        bool on_stdout;
        const char* says;
    } rows[] = {
        {"check '" + late.path() + "'", true, "a partir da linha 4 vêm depois do registro de fim"},
        {"--emulator flash '" + late.path() + "'", false, "a partir da linha 4"},
        {"--emulator eeprom '" + empty.path() + "'", false, "o arquivo HEX não contém dados."},
    };
    for (const auto& row : rows) {
        const auto run = run_cli(row.arguments);
        EXPECT_EQ(run.exit_code, 0) << run.err;
        EXPECT_NE((row.on_stdout ? run.out : run.err).find(row.says), std::string::npos)
            << row.arguments << "\n"
            << run.out << run.err;
    }
}

struct FaultCase {
    const char* name;
    const char* arguments;  // after --emulator --timeout 1
    bool needs_file;
    int exit_code;
    const char* says;
    friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class CliFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CliFaults, EndWithTheRightMessageAndExitCodeInTime) {
    const FaultCase& c = GetParam();
    TempFile hex("cli-fault.hex", kWorkedExample);
    std::string arguments = std::string("--emulator --timeout 1 ") + c.arguments;
    if (c.needs_file) {
        arguments += " '" + hex.path() + "'";
    }
    const auto run = run_cli(arguments);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    // The one-second limit ends every wait: no run comes near a hang.
    EXPECT_LT(run.took, std::chrono::seconds(10));
}

INSTANTIATE_TEST_SUITE_P(
    Emulator, CliFaults,
    ::testing::Values(
        FaultCase{"erase_ok", "erase", false, 0, "Apagou com sucesso!"},
        FaultCase{"erase_silent", "--emulate silent=1 erase", false, 3,
                  "O gravador não respondeu em 1 s."},
        FaultCase{"erase_refused_waits_for_its_echo", "--emulate refuse=1 erase", false, 3,
                  "O apagamento pode não ter terminado: apague de novo."},
        FaultCase{"erase_unplugged", "--emulate unplug=1 erase", false, 3, "desconectado"},
        FaultCase{"flash_data_refused", "--emulate refuse=3 flash", true, 1, "Erro na gravação"},
        FaultCase{"flash_end_silent", "--emulate silent=5 flash", true, 3, "não respondeu"},
        FaultCase{"flash_unplugged_mid_run", "--emulate unplug=4 flash", true, 3, "desconectado"},
        FaultCase{"flash_answered_twice", "--emulate twice=3 flash", true, 0,
                  "Memória emulada confere"},
        FaultCase{"eeprom_ok", "eeprom", true, 0, "Gravando EEPROM..."},
        FaultCase{"eeprom_refused", "--emulate refuse=2 eeprom", true, 1,
                  "A EEPROM fica parcialmente gravada: grave a EEPROM de novo"},
        FaultCase{"eeprom_too_small", "--emulate eeprom=256 eeprom", true, 2,
                  "o endereço 0x0100 fica fora da memória do chip (256 bytes)"},
        FaultCase{"lock_ok", "lock --lb1 --lb3", false, 0, "Lock bits gravados com sucesso!!!"},
        FaultCase{"lock_bits_before_the_command", "--lb1 lock", false, 0, "gravados com sucesso"},
        FaultCase{"lock_refused", "--emulate lock=0 lock", false, 1,
                  "Falha na gravação de Lock bits 0"},
        FaultCase{"lock_refused_quiet", "lock -q --emulate lock=0", false, 1,
                  "Falha na gravação de Lock bits 0"},
        FaultCase{"lock_silent", "--emulate silent=1 lock", false, 3, "não respondeu"},
        FaultCase{"timeout_in_english", "--lang en --emulate silent=1 erase --timeout 0.25", false,
                  3, "did not answer within 0.25 s"},
        FaultCase{"options_after_the_command", "erase --timeout 0.3 --emulate silent=1", false, 3,
                  "não respondeu em 0,3 s"},
        FaultCase{"lock_only_7f", "--emulate lock=0x7F lock", false, 3,
                  "O gravador respondeu 0x7F: os lock bits não foram confirmados."},
        // The end record's slot carries 16 x FF at 0x0000: refused before it is written.
        FaultCase{"eeprom_ff_write_refused",
                  "--emulate eeprom-fill=00 --emulate eeprom-ff=write eeprom", true, 2,
                  "sobrescreveria 0x0000–0x000F. Nada foi enviado"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    const char* arguments;
    const char* says;  // on stderr
    friend void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitsTwoWithAMessage) {
    const auto run = run_cli(GetParam().arguments);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliUsage,
    ::testing::Values(
        UsageCase{"no_command", "", "Execute com --help para mais informações."},
        UsageCase{"unknown_option", "--frobnicate list", "--frobnicate"},
        UsageCase{"bad_setting", "--emulator --emulate speed=3 erase", "speed"},
        UsageCase{"emulate_without_emulator", "erase --emulate flash=10",
                  "--emulate requer --emulator"},
        UsageCase{"emulator_with_device", "erase --device /dev/hidraw0 --emulator", "--device"},
        UsageCase{"missing_file", "--emulator flash /nonexistent/x.hex", "/nonexistent/x.hex"},
        UsageCase{"bad_timeout", "--emulator --timeout 0.05 erase",
                  "--timeout: 0.05 não está entre 0,1 e 3600 segundos"},
        UsageCase{"timeout_nan", "--emulator erase --timeout nan", "não é um número"},
        UsageCase{"timeout_inf", "--emulator --timeout inf erase", "não é um número"},
        UsageCase{"timeout_abc", "--emulator --timeout abc erase --lang en", "is not a number"},
        UsageCase{"unknown_language", "list --lang xx", "--lang"},
        UsageCase{"mistyped_command", "--emulator flsh x.hex", "flsh: você quis dizer flash?"},
        UsageCase{"mistyped_command_in_english", "flsh x.hex --lang en",
                  "flsh: did you mean flash?"},
        UsageCase{"help_for_a_mistyped_command", "help eras", "eras: você quis dizer erase?"},
        UsageCase{"missing_file_in_english", "flash --lang=en", "FILE is required."},
        UsageCase{"unexpected_argument", "erase x", "Argumento inesperado: x"},
        UsageCase{"fault_for_a_missing_programmer",
                  "--emulator --emulate programmers=2 --emulate refuse=1@3 erase", "refuse=1@3"},
        UsageCase{"all_and_device", "--emulator --all --device emulated:1 erase", "--all"},
        UsageCase{"unopenable_log", "--emulator erase --log /nonexistent/x.jsonl",
                  "/nonexistent/x.jsonl"},
        UsageCase{"empty_part", "--emulator --part '' erase", "Componente desconhecido: \"\""},
        UsageCase{"empty_file_name", "--emulator flash ''", "O nome do arquivo HEX está vazio."},
        UsageCase{"missing_job_file_in_english", "--emulator job /nonexistent/j.toml --lang en",
                  "/nonexistent/j.toml"}),
    [](const auto& info) { return std::string(info.param.name); });

// The parts: listed, checked against before anything is sent, and the sizes of
// the emulated memories.
TEST(CliPart, RefusesAnImagePastThePartsMemoryAndSendsNothing) {
#ifdef _WIN32
    GTEST_SKIP() << "expects line ends without CR";
#endif
    TempFile hex("cli-part.hex", ":01200000AA35\n:00000001FF\n");  // one byte at 0x2000
    const std::string trace = testing::scratch_path("part.trace");
    const std::string dump = testing::scratch_path("part.bin");
    const struct {
        const char* arguments;
        int exit_code;
        const char* says;
    } rows[] = {
        {"--part AT89S52 flash", 2,
         "a imagem passa do fim da FLASH de 8 KiB do AT89S52 (endereço 0x2000)"},
        {"eeprom --part at89s8252", 2,
         "a imagem passa do fim da EEPROM de 2 KiB do AT89S8252 (endereço 0x2000)"},
        {"--part AT89S53 eeprom", 2, "o AT89S53 não tem EEPROM"},
        {"--part AT89S99 flash", 2, "Componente desconhecido: \"AT89S99\""},
        {"--part AT89S53 flash", 0, "Memória emulada confere com a imagem."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        std::remove(trace.c_str());
        const auto run = run_cli("--emulator --trace '" + trace + "' --dump-flash '" + dump + "' " +
                                 row.arguments + " '" + hex.path() + "'");
        EXPECT_EQ(run.exit_code, row.exit_code);
        EXPECT_NE(run.err.find(row.says), std::string::npos) << run.err;
        if (row.exit_code != 0) {
            EXPECT_EQ(testing::read_all(trace), "");
        }
    }
    EXPECT_EQ(testing::read_all(dump).size(), 12u * 1024);  // the AT89S53's FLASH

    const auto parts = run_cli("parts");
    EXPECT_NE(parts.out.find("AT89S8253   FLASH 12 KiB   EEPROM 2 KiB"), std::string::npos)
        << parts.out;
    const auto check = run_cli("--part AT89S52 check '" + hex.path() + "'");
    EXPECT_EQ(check.exit_code, 2);
    EXPECT_NE(check.out.find("Ensaio FLASH: recusado."), std::string::npos) << check.out;
    const auto fits = run_cli("--part AT89S53 check '" + hex.path() + "'");
    EXPECT_EQ(fits.exit_code, 0) << fits.err;
    EXPECT_NE(fits.out.find("Ensaio FLASH: confere com a imagem.\nAT89S53: a imagem cabe na "
                            "FLASH de 12 KiB.\nEnsaio EEPROM: nenhum, o AT89S53 não tem EEPROM."),
              std::string::npos)
        << fits.out;
    const auto both = run_cli("--part at89s8253 check '" + hex.path() + "' --lang en");
    EXPECT_EQ(both.exit_code, 2) << both.err;  // 0x2000 is past the 2 KiB EEPROM
    EXPECT_NE(both.out.find("AT89S8253: the image fits its 12 KiB FLASH.\nRehearsal EEPROM: "
                            "refused."),
              std::string::npos)
        << both.out;
}

TEST(CliHelp, DocumentsTheExitCodesInTheRunsLanguage) {
    EXPECT_NE(run_cli("--help").out.find("0  sucesso"), std::string::npos);
    const auto run = run_cli("--help --lang en");
    EXPECT_EQ(run.exit_code, 0);
    for (const char* line : {"0  success", "1  the programmer refused", "2  usage error",
                             "3  no programmer", "128+N  ended by signal N"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
}

TEST(CliHelp, EachCommandShowsTheSharedOptionsAndHelpCommandSaysTheSame) {
    for (const char* command : {"erase", "flash", "lock"}) {
        const auto help = run_cli(std::string(command) + " --help");
        EXPECT_EQ(help.exit_code, 0) << command;
        EXPECT_NE(help.out.find("--emulator"), std::string::npos) << command;
        EXPECT_NE(help.out.find("--timeout"), std::string::npos) << command;
        EXPECT_EQ(run_cli(std::string("help ") + command).out, help.out) << command;
    }
    EXPECT_EQ(run_cli("help").out, run_cli("--help").out);
}

}  // namespace
}  // namespace vantro

namespace vantro {
namespace {

TEST(CliNoProgrammer, EveryDeviceCommandExitsThreeAndSaysSo) {
    // These machines have no USB devices: the real backend finds no programmer.
    for (const char* command : {"list", "erase", "lock --lb1"}) {
        const auto run = testing::run_cli(command);
        EXPECT_EQ(run.exit_code, 3) << command;
        EXPECT_NE(run.err.find("Nenhum gravador encontrado."), std::string::npos) << command;
    }
}

}  // namespace
}  // namespace vantro
