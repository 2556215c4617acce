// SPDX-License-Identifier: MIT
// The operator's status board as a table: the sockets' states in, the lines out.

#include "cli/socket_board.h"

#include <gtest/gtest.h>

namespace vantro::cli {
namespace {

SocketStatus socket(int number, SocketState state, int done, int failed,
                    std::optional<std::uint64_t> serial = std::nullopt) {
    SocketStatus status;
    status.number = number;
    status.name = "EMU-000" + std::to_string(number);
    status.state = state;
    status.serial = serial;
    status.done = done;
    status.failed = failed;
    return status;
}

TEST(SocketBoard, ALinePerSocketThenTotalsWithTheYieldThenWhatEnterStarts) {
    const struct {
        BoardState board;
        std::vector<std::string> lines;
    } cases[] = {
        {{{socket(1, SocketState::Ready, 0, 0), socket(2, SocketState::Running, 0, 0, 1001)},
          "linha.sqlite",
          {}},
         {"Soquete 1 (EMU-0001)  pronto  (0 gravados, 0 com falha)",
          "Soquete 2 (EMU-0002)  gravando nº 1001  (0 gravados, 0 com falha)",
          "Total: 0 gravados, 0 com falha; registros: linha.sqlite",
          "Enter: nenhum soquete pronto; K e Enter: soquete K; q e Enter: encerrar"}},
        {{{socket(1, SocketState::Passed, 2, 0, 1004), socket(2, SocketState::Failed, 1, 2, 1005),
           socket(3, SocketState::Paused, 0, 3)},
          "linha.sqlite",
          {1, 2}},
         {"Soquete 1 (EMU-0001)  PASS nº 1004  (2 gravados, 0 com falha)",
          "Soquete 2 (EMU-0002)  FAIL nº 1005  (1 gravados, 2 com falha)",
          "Soquete 3 (EMU-0003)  pausado: tecle 3 e Enter  (0 gravados, 3 com falha)",
          // 3 of 8: 37,5 %, rounded to a tenth.
          "Total: 3 gravados, 5 com falha; rendimento 37,5 %; registros: linha.sqlite",
          "Enter: próximo chip nos soquetes 1, 2; K e Enter: soquete K; q e Enter: encerrar"}},
        {{{socket(1, SocketState::Passed, 2, 1)}, "r.sqlite", {1}},
         {"Soquete 1 (EMU-0001)  PASS  (2 gravados, 1 com falha)",
          "Total: 2 gravados, 1 com falha; rendimento 66,7 %; registros: r.sqlite",
          "Enter: próximo chip nos soquetes 1; K e Enter: soquete K; q e Enter: encerrar"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(board_lines(c.board), c.lines);
    }
}

}  // namespace
}  // namespace vantro::cli
