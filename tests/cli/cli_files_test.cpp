// Real toolchain output through vantro-cli and the emulated programmer: the chip
// must end up holding exactly what srec_cat reads from the same file.

#include <gtest/gtest.h>

#include <fstream>

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
    bool eeprom;
    friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }
};

class RealFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(RealFiles, EmulatedMemoryEqualsWhatSrecCatReads) {
#ifdef _WIN32
    GTEST_SKIP() << "sdcc and srec_cat run on Linux; packaging/windows/wine-checks.sh "
                    "compares these files under Wine";
#endif
    const FileCase& c = GetParam();
    const std::string dir = scratch_path(c.name);
    ASSERT_EQ(run_shell("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").exit_code, 0);
    write_payload(dir + "/a.bin", c.eeprom ? 700 : 3000, 7);
    write_payload(dir + "/b.bin", 77, 11);
    const auto made = run_shell("cd '" + dir + "' && A=a.bin B=b.bin F=image.hex && " + c.make);
    ASSERT_EQ(made.exit_code, 0) << made.err;

    const std::string size = c.eeprom ? "0x800" : "0x10000";
    const auto reference = run_shell("srec_cat '" + dir + "/image.hex' -intel -fill 0xFF 0 " +
                                     size + " -o '" + dir + "/reference.bin' -binary");
    ASSERT_EQ(reference.exit_code, 0) << reference.err;

    const auto run =
        run_cli(std::string("--emulator ") + (c.eeprom ? "--dump-eeprom '" : "--dump-flash '") +
                dir + "/chip.bin' " + (c.eeprom ? "eeprom '" : "flash '") + dir + "/image.hex'");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    const std::string chip = read_all(dir + "/chip.bin");
    const std::string expected = read_all(dir + "/reference.bin");
    ASSERT_EQ(chip.size(), expected.size());
    EXPECT_TRUE(chip == expected) << "the emulated memory differs from srec_cat's reading";
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
        FileCase{"srec_cat_default", "srec_cat $A -binary -offset 0x100 -o $F -intel", false},
        FileCase{"srec_cat_address_length_2",
                 "srec_cat $A -binary -offset 0x100 -o $F -intel -address-length=2", false},
        FileCase{"srec_cat_line_length_44",
                 "srec_cat $A -binary -offset 0x100 -o $F -intel -line-length=44", false},
        FileCase{"srec_cat_crlf", "srec_cat $A -binary -offset 0x100 -o $F -intel -crlf", false},
        FileCase{"lower_case",
                 "srec_cat $A -binary -offset 0x100 -o - -intel | tr 'A-F' 'a-f' > $F", false},
        FileCase{"records_of_255_bytes",
                 "srec_cat $A -binary -offset 0x100 -o $F -intel -output_block_size=255", false},
        FileCase{"gaps", "srec_cat $A -binary -offset 0x40 $B -binary -offset 0x8000 -o $F -intel",
                 false},
        FileCase{"sdcc_ihx", SDCC_PROGRAM " && cp blink.ihx $F", false},
        FileCase{"sdcc_packihx", SDCC_PROGRAM " && packihx blink.ihx > $F 2>/dev/null", false},
        FileCase{"objcopy", "objcopy -I binary -O ihex $A $F", false},
        FileCase{"eeprom_srec_cat_crlf", "srec_cat $A -binary -o $F -intel -crlf", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantro
