// SPDX-License-Identifier: MIT
// Files that are no HEX file at all, of sizes and kinds that could make a careless
// loader read for ever or fill the memory: each is refused with a message after
// reading at most one chunk, and the memory stays small.

#ifdef _WIN32
#define PSAPI_VERSION 2  // GetProcessMemoryInfo from kernel32, no psapi.dll
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "hex/carrega_hex.h"
#include "hex/hex_file_source.h"
#include "hex_test_support.h"

namespace vantro::hex {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kOneChunk = 64 * 1024;   // what the loader reads at a time
constexpr std::int64_t kMemorySlackKib = 8192;  // far less than any of these files

// Bytes this process has read so far through read(2) and the like.
std::optional<std::int64_t> bytes_read_so_far() {
#ifdef _WIN32
    IO_COUNTERS counters{};
    if (!GetProcessIoCounters(GetCurrentProcess(), &counters)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(counters.ReadTransferCount);
#endif
    std::ifstream io("/proc/self/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return std::nullopt;
}

#ifdef _WIN32
// NUL reads as empty, but it is a device all the same.
constexpr const char* kEndlessDevice = "NUL";

std::int64_t peak_memory_kib() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<std::int64_t>(counters.PeakWorkingSetSize / 1024);
}

std::optional<std::string> link_to_endless_device() {
    return std::nullopt;  // a link to NUL would need the right to create symbolic links
}
#else
constexpr const char* kEndlessDevice = "/dev/zero";

std::int64_t peak_memory_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::optional<std::string> link_to_endless_device() {
    const fs::path link = test::scratch_dir() / "zero-link.hex";
    std::error_code ignored;
    fs::remove(link, ignored);
    fs::create_symlink(kEndlessDevice, link);
    return link.string();
}
#endif

// A file of `size` bytes that takes no room on the disk; false where the file
// system cannot hold it.
bool make_sparse(const fs::path& path, std::uintmax_t size) {
    test::write_file(path.filename().string(), "");
    std::error_code error;
    fs::resize_file(path, size, error);
    return !error;
}

// Bytes k * 37 (mod 256): a NUL first, a line end at byte 194, every value once in 256.
std::string binary_bytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t k = 0; k < size; ++k) {
        bytes[k] = static_cast<char>(k * 37 % 256);
    }
    return bytes;
}

const std::string kTooBig = "arquivo grande demais para um arquivo HEX (mais de 16 MiB)";
const std::string kNotRegular = "não é um arquivo comum";
const std::string kEndlessLine =
    "Arquivo HEX inválido: linha 1: linha mais longa que qualquer registro (mais de 521 "
    "caracteres)";

struct BadFile {
    const char* name;
    // Makes the file and returns its path; nothing when this machine cannot make it.
    std::function<std::optional<std::string>()> make;
    // The message, from the path.
    std::function<std::string(const std::string&)> message;
    std::int64_t most_bytes_read;
};

void PrintTo(const BadFile& c, std::ostream* out) {
    *out << c.name;
}

std::function<std::string(const std::string&)> refused_on_opening(const std::string& reason) {
    return [reason](const std::string& path) { return test::open_refusal(path, reason); };
}

std::function<std::string(const std::string&)> refused_content(const std::string& message) {
    return [message](const std::string&) { return message; };
}

std::function<std::optional<std::string>()> sparse(const char* name, std::uintmax_t size) {
    return [name, size]() -> std::optional<std::string> {
        const fs::path path = test::scratch_dir() / name;
        if (!make_sparse(path, size)) {
            return std::nullopt;
        }
        return path.string();
    };
}

class HexBadFiles : public ::testing::TestWithParam<BadFile> {
protected:
    void TearDown() override {
        if (made_) {
            std::error_code ignored;
            fs::remove(*made_, ignored);
        }
    }
    std::optional<std::string> made_;
};

TEST_P(HexBadFiles, RefusedAfterOneChunkAtMostWithSmallMemory) {
    const BadFile& c = GetParam();
    const std::optional<std::string> path = c.make();
    if (!path) {
        GTEST_SKIP() << "this machine cannot make the file";
    }
    if (path->starts_with(test::scratch_dir().string())) {
        made_ = path;
    }
    const std::optional<std::int64_t> read_before = bytes_read_so_far();
    const std::int64_t memory_before = peak_memory_kib();

    LineTable table;
    const LoadResult result = carrega_hex(table, *path);

    const std::optional<std::int64_t> read_after = bytes_read_so_far();
    EXPECT_EQ(result.status, LoadStatus::Refused);
    EXPECT_EQ(result.message, c.message(*path));
    EXPECT_EQ(table.total_linhas, 1);
    EXPECT_LT(peak_memory_kib() - memory_before, kMemorySlackKib);
    if (read_before && read_after) {
        // The second look at /proc/self/io reads a few hundred bytes itself.
        EXPECT_LE(*read_after - *read_before, c.most_bytes_read + 4096);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, HexBadFiles,
    ::testing::Values(
        BadFile{"Binary", [] { return test::write_file("binary.hex", binary_bytes(1 << 20)); },
                refused_content("Arquivo HEX inválido: linha 1: não é um registro HEX (não "
                                "começa com ':')"),
                kOneChunk},
        BadFile{"SparseOneGibibyte", sparse("sparse-1g.hex", std::uintmax_t{1} << 30),
                refused_on_opening(kTooBig), 0},
        // A size that a 32-bit count would take for 16 bytes.
        BadFile{"SparseBeyondFourGibibytes",
                sparse("sparse-4g.hex", (std::uintmax_t{1} << 32) + 16),
                refused_on_opening(kTooBig), 0},
        BadFile{"EndlessLineAtTheSizeLimit", sparse("zeros.hex", kMaxHexFileSize),
                refused_content(kEndlessLine), kOneChunk},
        BadFile{"Device", [] { return std::optional<std::string>(kEndlessDevice); },
                refused_on_opening(kNotRegular), 0},
        BadFile{"LinkToDevice", link_to_endless_device, refused_on_opening(kNotRegular), 0}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantro::hex
