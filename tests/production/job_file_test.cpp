// SPDX-License-Identifier: MIT
// The job file's keys: each mistake is told with the file's line and the key.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "production/job_file.h"

namespace vantro::production {
namespace {

const std::string kFolder = std::string(VANTRO_TEST_TMP) + "/";
const std::string kHead = "name = \"j\"\npart = \"AT89S52\"\nlog = \"j.jsonl\"\n";

// The problem with the job file's folder taken off: "job.toml:LINE: key: message".
std::string problem_of(const std::string& text, const std::string& name = "job.toml") {
    const std::string path = kFolder + name;
    std::ofstream(path, std::ios::binary) << text;
    const JobFileRead read = read_job_file(path, "pc");
    if (read.job) {
        return "(read)";
    }
    return read.problem.starts_with(kFolder) ? read.problem.substr(kFolder.size()) : read.problem;
}

TEST(JobFile, EachMistakeNamesItsLineAndKey) {
    const struct {
        std::string text;
        std::string said;
    } rows[] = {
        {kHead + "[lock]\nbits = []\n", "job.toml:5: lock.bits: a lista está vazia: dê 1, 2 ou 3"},
        {kHead + "[lock]\nbits = [1, 1]\n", "job.toml:5: lock.bits: o bit 1 aparece duas vezes"},
        {kHead + "[lock]\nbits = [3,\n  2, 3]\n",
         "job.toml:6: lock.bits: o bit 3 aparece duas vezes"},
        {kHead + "[lock]\nbits = [4]\n", "job.toml:5: lock.bits: deve ser uma lista de 1, 2 e 3"},
        {kHead + "[lock]\nbits = 1\n", "job.toml:5: lock.bits: deve ser uma lista de 1, 2 e 3"},
        {kHead + "colour = \"red\"\n", "job.toml:4: colour: chave desconhecida"},
        {kHead + "[flash]\nfile = \"a.hex\"\nsha256 = \"abc\"\n",
         "job.toml:6: flash.sha256: deve ter 64 dígitos hexadecimais"},
        {kHead + "[flash]\nfile = \"a.hex\"\nsha = \"abc\"\n",
         "job.toml:6: flash.sha: chave desconhecida"},
        {kHead +
             "[serial]\nmemory = \"rom\"\naddress = 0\nformat = \"u16le\"\nfirst = 1\ncounter = "
             "\"c\"\n",
         "job.toml:5: serial.memory: deve ser \"eeprom\" ou \"flash\""},
        {kHead + "[serial]\nmemory = \"eeprom\"\naddress = 0x10000\nformat = \"u16le\"\nfirst = "
                 "1\ncounter = \"c\"\n",
         "job.toml:6: serial.address: deve ser um número inteiro de 0 a 65535"},
        {kHead +
             "[serial]\nmemory = \"eeprom\"\naddress = 0\nformat = \"bcd3\"\nfirst = 1\ncounter "
             "= \"c\"\n",
         "job.toml:7: serial.format: deve ser u16le, u16be, u32le, u32be, bcdN (N par, até 16) ou "
         "asciiN (N até 19)"},
        {kHead +
             "[serial]\nmemory = \"eeprom\"\naddress = 0\nformat = \"u16le\"\nfirst = -1\ncounter "
             "= \"c\"\n",
         "job.toml:8: serial.first: deve ser um número inteiro de 0 a 9223372036854775807"},
        {kHead +
             "[serial]\nmemory = \"eeprom\"\naddress = 0\nformat = \"u16le\"\nfirst = 1\nstep = "
             "0\ncounter = \"c\"\n",
         "job.toml:9: serial.step: deve ser um número inteiro de 1 a 1000000"},
        {kHead + "sockets = [\"A\", \"A\"]\n",
         "job.toml:4: sockets: o gravador A aparece duas vezes"},
        {kHead + "sockets = []\n",
         "job.toml:4: sockets: deve ser uma lista de números de série de gravadores"},
        {"name = \"\"\npart = \"AT89S52\"\nlog = \"l\"\n",
         "job.toml:1: name: deve ser um texto não vazio"},
        {"name = \"j\"\npart = 52\nlog = \"l\"\n", "job.toml:2: part: deve ser um texto não vazio"},
        {"name = \"j\"\npart = \"AT89S52\"\n", "job.toml:1: log: chave obrigatória ausente"},
        // toml++ explains a syntax error in English only: the line and column are said instead.
        {"name = \"j\npart = \"AT89S52\"\n", "job.toml:1: erro de sintaxe TOML na coluna 10"},
        {kHead + "[lock\n", "job.toml:4: erro de sintaxe TOML na coluna 6"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(problem_of(row.text), row.said) << row.text;
    }
}

TEST(JobFile, AWholeJobIsRead) {
    ASSERT_EQ(problem_of(kHead + "station = \"s\"\n[lock]\nbits = [3, 1]\n", "whole.toml"),
              "(read)");
    const JobFileRead read = read_job_file(kFolder + "whole.toml", "pc");
    ASSERT_TRUE(read.job);
    ASSERT_TRUE(read.job->lock_bits);
    EXPECT_EQ(*read.job->lock_bits, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(read.job->station, "s");
    // Windows joins the job's folder with a backslash.
    EXPECT_EQ(std::filesystem::path(read.job->log).lexically_normal().string(),
              std::filesystem::path(kFolder + "j.jsonl").lexically_normal().string());
    EXPECT_EQ(read.job->sha256.size(), 64u);
}

// Only a regular file of a sane size is read: a folder or a device never is.
TEST(JobFile, OnlyARegularFileIsRead) {
    std::filesystem::create_directories(kFolder + "a-folder.toml");
    const JobFileRead folder = read_job_file(kFolder + "a-folder.toml", "pc");
    ASSERT_FALSE(folder.job);
    EXPECT_NE(folder.problem.find("é uma pasta, não um arquivo"), std::string::npos)
        << folder.problem;
#ifndef _WIN32
    const JobFileRead zero = read_job_file("/dev/zero", "pc");
    ASSERT_FALSE(zero.job);
    EXPECT_EQ(zero.problem, "Não foi possível ler o arquivo \"/dev/zero\": não é um arquivo comum");
#endif
    std::ofstream(kFolder + "huge.toml", std::ios::binary) << std::string(1024 * 1024 + 1, '#');
    const JobFileRead huge = read_job_file(kFolder + "huge.toml", "pc");
    ASSERT_FALSE(huge.job);
    EXPECT_NE(huge.problem.find("arquivo grande demais para um job (mais de 1 MiB)"),
              std::string::npos)
        << huge.problem;
}

}  // namespace
}  // namespace vantro::production
