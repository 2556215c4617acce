// SPDX-License-Identifier: MIT
// Real toolchain output through vantro-cli and the emulated programmer: the chip
// must end up holding exactly what srec_cat reads from the same file.

#include <gtest/gtest.h>

#include <cctype>

#include <fstream>
#include <sstream>

#include "protocol/report.h"
#include "tests/cli/cli_runner.h"

namespace vantro {
namespace {

using testing::read_all;
using testing::run_cli;
using testing::run_shell;
using testing::scratch_path;

// A deterministic pseudo-random payload, so a failure reproduces.
void write_payload(const std::string& path, std::size_t size, unsigned seed) {
    std::ofstream out(path, std::ios::binary);
    unsigned state = seed;
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        out.put(static_cast<char>((state >> 16) & 0xFF));
    }
}

struct FileCase {
    const char* name;
    std::string make;  // shell line that makes $F from $A and $B (two payloads)
    friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }
};

// Each memory as srec_cat reads the file, blank filled with 0xFF and with 0x00:
// an address the image defines reads alike in both.
struct Reference {
    std::string ff;
    std::string zero;
    bool defines(std::uint32_t address, std::uint8_t value) const {
        return address < ff.size() && ff[address] == zero[address] &&
               static_cast<std::uint8_t>(ff[address]) == value;
    }
};

// Every non-0xFF data byte of every slot the programmer takes (FLASH marker 0,
// EEPROM markers 1, 2, 3) must land on an address the image defines, with its
// value, whether the programmer wraps slot addresses at 16 bits or not.
void expect_only_image_bytes(const std::string& trace, bool eeprom, const Reference& image) {
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line)) {
        const auto byte = [&line](std::size_t k) {
            return static_cast<std::uint8_t>(std::stoul(line.substr(2 * k, 2), nullptr, 16));
        };
        if (byte(1) != (eeprom ? 0xAF : 0xBB)) {
            continue;
        }
        for (std::size_t slot = 0; slot < protocol::kSlotCount; ++slot) {
            const std::size_t start = protocol::slot_start(slot);
            if (byte(start) != (eeprom ? slot + 1 : 0)) {
                continue;
            }
            const std::uint32_t address = byte(start + 1) << 8 | byte(start + 2);
            for (std::uint32_t n = 0; n < protocol::kSlotDataBytes; ++n) {
                const std::uint8_t value = byte(start + 3 + n);
                if (value != 0xFF) {
                    EXPECT_TRUE(image.defines(address + n, value) &&
                                image.defines((address + n) & 0xFFFF, value))
                        << "stray byte " << int{value} << " for " << address + n << ": " << line;
                }
            }
        }
    }
}

class RealFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(RealFiles, OnlyImageBytesReachTheChipInFlashAndEepromWithOrWithoutWrap) {
#ifdef _WIN32
    GTEST_SKIP() << "sdcc and srec_cat run on Linux; packaging/windows/wine-checks.sh "
                    "compares these files under Wine";
#endif
    const FileCase& c = GetParam();
    const std::string dir = scratch_path(c.name);
    ASSERT_EQ(run_shell("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").exit_code, 0);
    write_payload(dir + "/a.bin", 3000, 7);
    write_payload(dir + "/b.bin", 77, 11);
    const auto made = run_shell("cd '" + dir + "' && A=a.bin B=b.bin F=image.hex && " + c.make);
    ASSERT_EQ(made.exit_code, 0) << made.err;

    // srec_cat reads no file without data: a lone end record defines no address.
    Reference image{std::string(0x10000, '\xFF'), std::string(0x10000, '\0')};
    for (const char* fill : {"0xFF", "0x00"}) {
        const auto reference = run_shell("srec_cat '" + dir + "/image.hex' -intel -fill " + fill +
                                         " 0 0x10000 -o '" + dir + "/reference.bin' -binary");
        // srec_cat wraps its message at the terminal's width, wherever the path ends.
        std::string said = reference.err;
        std::erase_if(said, [](unsigned char c) { return std::isspace(c); });
        if (said.find("filecontainsnodata") != std::string::npos) {
            break;
        }
        ASSERT_EQ(reference.exit_code, 0) << reference.err;
        (fill[2] == 'F' ? image.ff : image.zero) = read_all(dir + "/reference.bin");
    }
    for (const bool eeprom : {false, true}) {
        for (const char* wrap : {"on", "off"}) {
            SCOPED_TRACE(std::string(eeprom ? "eeprom" : "flash") + ", wrap=" + wrap);
            const auto run = run_cli(
                std::string("--emulator --emulate eeprom=65536 --emulate wrap=") + wrap +
                " --trace '" + dir + "/trace' --dump-" + (eeprom ? "eeprom" : "flash") + " '" +
                dir + "/chip.bin' " + (eeprom ? "eeprom '" : "flash '") + dir + "/image.hex'");
            ASSERT_EQ(run.exit_code, 0) << run.err;
            EXPECT_TRUE(read_all(dir + "/chip.bin") == image.ff)
                << "the emulated memory differs from srec_cat's reading";
            expect_only_image_bytes(read_all(dir + "/trace"), eeprom, image);
        }
    }
}

// A small program with a table long enough for SDCC to write 32-byte records.
#define SDCC_PROGRAM                                                                    \
    "printf '__sfr __at(0x90) P1;\\n__code const unsigned char t[80]={"                 \
    "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30," \
    "31,32,33,34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51,52,53,54,55,56,57," \
    "58,59,60,61,62,63,64,65,66,67,68,69,70,71,72,73,74,75,76,77,78,79,80};\\n"         \
    "void main(void){unsigned char i;for(;;)for(i=0;i<80;i++)P1=t[i];}\\n' > blink.c "  \
    "&& sdcc -mmcs51 blink.c >/dev/null"

INSTANTIATE_TEST_SUITE_P(
    Toolchains, RealFiles,
    ::testing::Values(
        FileCase{"srec_cat_default", "srec_cat $A -binary -offset 0x100 -o $F -intel"},
        FileCase{"srec_cat_address_length_2",
                 "srec_cat $A -binary -offset 0x100 -o $F -intel -address-length=2"},
        FileCase{"srec_cat_line_length_44",
                 "srec_cat $A -binary -offset 0x100 -o $F -intel -line-length=44"},
        FileCase{"srec_cat_crlf", "srec_cat $A -binary -offset 0x100 -o $F -intel -crlf"},
        FileCase{"lower_case",
                 "srec_cat $A -binary -offset 0x100 -o - -intel | tr 'A-F' 'a-f' > $F"},
        FileCase{"records_of_255_bytes",
                 "srec_cat $A -binary -offset 0x100 -o $F -intel -output_block_size=255"},
        FileCase{"gaps", "srec_cat $A -binary -offset 0x40 $B -binary -offset 0x8000 -o $F -intel"},
        FileCase{"sdcc_ihx", SDCC_PROGRAM " && cp blink.ihx $F"},
        FileCase{"sdcc_packihx", SDCC_PROGRAM " && packihx blink.ihx > $F 2>/dev/null"},
        // A blink of three lines: 15 stored records, a multiple of 3.
        FileCase{
            "sdcc_three_line_blink",
            "printf '#include <8051.h>\\nvoid main(void) {\\n    for (;;) { unsigned int n = 0; "
            "while (--n); P1 = ~P1; }\\n}\\n' > b.c && sdcc -mmcs51 b.c >/dev/null && "
            "cp b.ihx $F"},
        FileCase{"objcopy", "objcopy -I binary -O ihex $A $F"},
        FileCase{"srec_cat_crlf_at_zero", "srec_cat $A -binary -o $F -intel -crlf"},
        // 1 to 4 stored records, the end record included (16 data bytes a record).
        FileCase{"records_1", "printf ':00000001FF\\r\\n' > $F"},
        FileCase{"records_2", "srec_cat $A -binary -crop 0 16 -o $F -intel"},
        FileCase{"records_3", "srec_cat $A -binary -crop 0 32 -o $F -intel"},
        FileCase{"records_4", "srec_cat $A -binary -crop 0 48 -o $F -intel"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantro
