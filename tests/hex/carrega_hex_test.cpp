// SPDX-License-Identifier: MIT
#include "hex/carrega_hex.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hex_test_support.h"

namespace vantro::hex {
namespace {

using test::with_checksum;
using test::write_file;

const std::string kFull = ":10010000000102030405060708090A0B0C0D0E0F77";
const std::string kShort = ":03011000E4F5A073";
const std::string kEnd = ":00000001FF";

std::string lines(const std::vector<std::string>& records, const std::string& line_end) {
    std::string text;
    for (const std::string& record : records) {
        text += record + line_end;
    }
    return text;
}

LoadResult load(LineTable& table, const std::string& path) {
    return carrega_hex(table, path);
}

// A table that holds leftovers of an earlier, longer file.
LineTable used_table() {
    LineTable table;
    for (int i = 1; i <= 50; ++i) {
        table.at(i) = "stale";
    }
    table.total_linhas = 51;
    return table;
}

void expect_empty_from(const LineTable& table, int first) {
    for (int i = first; i <= kTableCapacity; ++i) {
        ASSERT_EQ(table.entry(i), "") << "entry " << i;
    }
}

TEST(HexCarrega, NoFileChosenClearsTheTableAndKeepsTheCount) {
    LineTable table = used_table();
    const LoadResult result = load(table, "");
    EXPECT_EQ(result.status, LoadStatus::NotChosen);
    EXPECT_EQ(table.total_linhas, 51);
    expect_empty_from(table, 1);
}

TEST(HexCarrega, StoresEachRecordLessItsChecksum) {
    LineTable table = used_table();
    const std::string path = write_file("three.hex", lines({kFull, kShort, kEnd}, "\n"));
    const LoadResult result = load(table, path);
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    EXPECT_EQ(result.path, path);
    EXPECT_EQ(result.records, 3);
    EXPECT_EQ(table.total_linhas, 4);
    EXPECT_EQ(table.entry(1), ":10010000000102030405060708090A0B0C0D0E0F");
    EXPECT_EQ(table.entry(2), ":03011000E4F5A0");
    EXPECT_EQ(table.entry(3), ":00000001");
    expect_empty_from(table, 4);
    EXPECT_EQ(result.image.data_bytes(), 19u);
    EXPECT_EQ(result.image.at(0x0112), 0xA0);
}

TEST(HexCarrega, LineEndsOfEveryKindGiveTheSameTable) {
    const std::vector<std::string> records = {kFull, kShort, kEnd};
    LineTable unix_table;
    ASSERT_EQ(load(unix_table, write_file("unix.hex", lines(records, "\n"))).status,
              LoadStatus::Loaded);
    for (const std::string line_end : {"\r\n", "\r"}) {
        LineTable table;
        std::string text = lines(records, line_end);
        text.resize(text.size() - std::string(line_end).size());  // no line end after the last
        ASSERT_EQ(load(table, write_file("other.hex", text)).status, LoadStatus::Loaded);
        EXPECT_EQ(table.linhas, unix_table.linhas);
        EXPECT_EQ(table.total_linhas, unix_table.total_linhas);
    }
}

TEST(HexCarrega, AShorterFileLeavesNothingOfALongerOne) {
    LineTable table;
    ASSERT_EQ(load(table, write_file("long.hex", lines({kFull, kShort, kEnd}, "\n"))).status,
              LoadStatus::Loaded);
    ASSERT_EQ(load(table, write_file("short.hex", lines({kEnd}, "\n"))).status, LoadStatus::Loaded);
    EXPECT_EQ(table.total_linhas, 2);
    EXPECT_EQ(table.entry(1), ":00000001");
    expect_empty_from(table, 2);
}

TEST(HexCarrega, DataReportsForTheRecords) {
    EXPECT_EQ(data_reports_for(1), 1);
    EXPECT_EQ(data_reports_for(2), 1);
    EXPECT_EQ(data_reports_for(3), 2);
    EXPECT_EQ(data_reports_for(kTableCapacity), 6667);
}

struct RefusedFile {
    const char* name;
    std::string content;
    std::string message;
};

// Names the case in test listings.
void PrintTo(const RefusedFile& c, std::ostream* out) {
    *out << c.name;
}

class HexCarregaRefuses : public ::testing::TestWithParam<RefusedFile> {};

TEST_P(HexCarregaRefuses, WithOneMessageAndAnEmptyTable) {
    LineTable table = used_table();
    const LoadResult result = load(table, write_file("refused.hex", GetParam().content));
    EXPECT_EQ(result.status, LoadStatus::Refused);
    EXPECT_EQ(result.message, GetParam().message);
    EXPECT_EQ(result.records, 0);
    EXPECT_EQ(table.total_linhas, 1);
    expect_empty_from(table, 1);
}

std::string eleven_good_then_bad() {
    std::vector<std::string> records;
    char body[16];
    for (int k = 0; k < 11; ++k) {
        std::snprintf(body, sizeof body, ":01%04X0042", k);
        records.push_back(with_checksum(body));
    }
    records.push_back(":0100200042FF");
    records.push_back(kEnd);
    return lines(records, "\r\n");
}

const std::string kNoEnd =
    "Arquivo HEX inválido: falta o registro de fim (:00000001FF); o arquivo parece incompleto";

INSTANTIATE_TEST_SUITE_P(
    Contents, HexCarregaRefuses,
    ::testing::Values(
        RefusedFile{"Empty", "", kNoEnd}, RefusedFile{"OnlyBlankLines", "\n  \r\n\t\n", kNoEnd},
        RefusedFile{"Truncated", lines({kFull, kShort}, "\n"), kNoEnd},
        RefusedFile{"TruncatedMidRecord", kFull + "\n:03011000E4",
                    "Arquivo HEX inválido: linha 2: a contagem de bytes não confere com os dados"},
        RefusedFile{"BadChecksumAtLine12", eleven_good_then_bad(),
                    "Arquivo HEX inválido: linha 12: soma de verificação incorreta"},
        // Right in its low digit, wrong in its high one (BD is right).
        RefusedFile{"ChecksumWrongInItsHighDigitOnly", ":0100000042AD\n:00000001FF\n",
                    "Arquivo HEX inválido: linha 1: soma de verificação incorreta"},
        RefusedFile{"Binary",
                    std::string("\x7F"
                                "ELF\0\0\0\x02\n",
                                9),
                    "Arquivo HEX inválido: linha 1: não é um registro HEX (não começa com ':')"},
        RefusedFile{"HugeLine", std::string(4 << 20, ':'),
                    "Arquivo HEX inválido: linha 1: linha mais longa que qualquer registro (mais "
                    "de 521 caracteres)"}),
    [](const ::testing::TestParamInfo<RefusedFile>& info) { return std::string(info.param.name); });

TEST(HexCarrega, TheLongestRecordIsTaken) {
    const std::string longest = with_checksum(":FF000000" + std::string(510, 'A'));
    ASSERT_EQ(longest.size(), 521u);
    LineTable table;
    const LoadResult result = load(table, write_file("longest.hex", lines({longest, kEnd}, "\n")));
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    EXPECT_EQ(result.records, 17);
    EXPECT_EQ(result.image.data_bytes(), 255u);
}

LoadResult expect_refused(const std::string& path) {
    LineTable table = used_table();
    LoadResult result = load(table, path);
    EXPECT_EQ(result.status, LoadStatus::Refused);
    EXPECT_EQ(table.total_linhas, 1);
    expect_empty_from(table, 1);
    return result;
}

TEST(HexCarregaFiles, MissingFile) {
    const std::string path = (test::scratch_dir() / "missing.hex").string();
    EXPECT_EQ(expect_refused(path).message, test::open_refusal(path, "o arquivo não existe"));
}

TEST(HexCarregaFiles, Directory) {
    const std::string path = test::scratch_dir().string();
    EXPECT_EQ(expect_refused(path).message,
              test::open_refusal(path, "é uma pasta, não um arquivo"));
}

TEST(HexCarregaFiles, FifoDoesNotBlock) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs in its file system";
#else
    const std::string path = (test::scratch_dir() / "pipe.hex").string();
    ::unlink(path.c_str());
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(expect_refused(path).message, test::open_refusal(path, "não é um arquivo comum"));
#endif
}

TEST(HexCarregaFiles, Device) {
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    EXPECT_EQ(expect_refused(device).message, test::open_refusal(device, "não é um arquivo comum"));
}

TEST(HexCarregaFiles, UncommonSystemErrorInTheRunsLanguage) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows gives its reasons in its own interface language";
#else
    const std::string path = (test::scratch_dir() / "loop.hex").string();
    std::filesystem::remove(path);
    std::filesystem::create_symlink("loop.hex", path);  // ELOOP: strerror would say it in English
    EXPECT_EQ(expect_refused(path).message, test::open_refusal(path, "Links simbólicos demais"));
    std::filesystem::remove(path);
#endif
}

TEST(HexCarregaFiles, HugeSparseFile) {
    const std::string path = write_file("sparse.hex", "");
    std::filesystem::resize_file(path, 1ull << 28);
    EXPECT_EQ(
        expect_refused(path).message,
        test::open_refusal(path, "arquivo grande demais para um arquivo HEX (mais de 16 MiB)"));
    std::filesystem::remove(path);
}

TEST(HexCarregaFiles, NoReadPermission) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps reading rights in ACLs, which std::filesystem cannot set";
#else
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
#endif
    const std::string path = write_file("locked.hex", kEnd + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EQ(expect_refused(path).message, test::open_refusal(path, "sem permissão de leitura"));
    std::filesystem::remove(path);
}

TEST(HexCarregaFiles, NameThatIsNotUtf8Loads) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names are UTF-16: no name holds bytes that are not UTF-8";
#endif
    const std::string path = write_file("im\xE1gem\xFF.hex", lines({kShort, kEnd}, "\n"));
    LineTable table;
    const LoadResult result = load(table, path);
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    EXPECT_EQ(result.path, path);
    EXPECT_EQ(table.entry(1), ":03011000E4F5A0");
}

TEST(HexCarregaFiles, NameThatIsNotUtf8IsShownEscaped) {
    const std::string dir = test::scratch_dir().string();
    const std::string path = dir + "/falta\xFF\xC3\xA9.hex";
    EXPECT_EQ(expect_refused(path).message,
              test::open_refusal(dir + "/falta\\xFF\xC3\xA9.hex", "o arquivo não existe"));
}

TEST(HexCarregaFiles, NameWithNulIsRefused) {
    const std::string real = write_file("real.hex", lines({kEnd}, "\n"));
    const std::string path = real + std::string(1, '\0') + "x";
    EXPECT_EQ(expect_refused(path).message,
              test::open_refusal(real + "\\x00x", "o nome do arquivo contém um caractere nulo"));
}

}  // namespace
}  // namespace vantro::hex
