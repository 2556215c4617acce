// SPDX-License-Identifier: MIT
#pragma once
// The operator's status board, kept at the bottom of a terminal while a job
// runs: a line per socket, the totals with the yield, where the records go, and
// which sockets Enter starts. A pure table of what to draw: the job's display
// draws it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantro::cli {

enum class SocketState { Ready, Running, Passed, Failed, Paused };

struct SocketStatus {
    int number = 0;
    std::string name;  // the programmer's serial number, or its path
    SocketState state = SocketState::Ready;
    std::optional<std::uint64_t> serial;  // the chip's, running or last ended
    int done = 0;
    int failed = 0;
};

struct BoardState {
    std::vector<SocketStatus> sockets;
    std::string records;            // where the chips' records go
    std::vector<int> enter_starts;  // the sockets Enter starts
};

std::vector<std::string> board_lines(const BoardState& board);

}  // namespace vantro::cli
