// SPDX-License-Identifier: MIT
// Runs a program on a terminal (a pty of 80 columns) and prints the screen it
// leaves, as a terminal draws it: a carriage return goes back to the line's
// start and what follows overwrites it, ESC[K erases to the line's end, colours
// are dropped. A progress bar not cleared before a line shows as what is left
// of it on that line. Any other escape sequence is printed as "^[", so that it
// cannot hide. Exits with the program's exit code (128 + N for signal N).
//   vantro_pty_screen PROGRAM [ARGUMENT...]

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One line of the screen: its characters (UTF-8 sequences kept whole) by column.
using Line = std::vector<std::string>;

class Screen {
public:
    void feed(const std::string& bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '\r') {
                column_ = 0;
            } else if (c == '\n') {
                lines_.emplace_back();
                column_ = 0;
            } else if (c == '\x1b' && i + 1 < bytes.size() && bytes[i + 1] == '[') {
                std::size_t end = i + 2;
                while (end < bytes.size() && (bytes[end] < '@' || bytes[end] > '~')) {
                    ++end;
                }
                const char final_byte = end < bytes.size() ? bytes[end] : '\0';
                if (final_byte == 'K') {
                    lines_.back().resize(std::min(lines_.back().size(), column_));
                } else if (final_byte != 'm') {
                    put("^[");
                    for (std::size_t k = i + 1; k <= end && k < bytes.size(); ++k) {
                        put(std::string(1, bytes[k]));
                    }
                }
                i = end;
            } else if ((static_cast<unsigned char>(c) & 0xC0) == 0x80 && column_ > 0) {
                lines_.back()[column_ - 1] += c;  // the rest of a UTF-8 character
            } else {
                put(std::string(1, c));
            }
        }
    }

    void print() const {
        for (const Line& line : lines_) {
            std::string text;
            for (const std::string& character : line) {
                text += character;
            }
            text.erase(text.find_last_not_of(' ') + 1);
            std::printf("%s\n", text.c_str());
        }
    }

private:
    void put(const std::string& character) {
        Line& line = lines_.back();
        if (column_ < line.size()) {
            line[column_] = character;
        } else {
            line.push_back(character);
        }
        ++column_;
    }

    std::vector<Line> lines_{Line{}};
    std::size_t column_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 80;
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
    if (child < 0) {
        std::perror("forkpty");
        return 2;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    Screen screen;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got > 0) {
            screen.feed(std::string(buffer, static_cast<std::size_t>(got)));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            break;  // EIO: the program and its children closed the terminal
        }
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    screen.print();
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
