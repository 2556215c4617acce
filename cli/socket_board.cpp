// SPDX-License-Identifier: MIT
#include "cli/socket_board.h"

#include "i18n/texts.h"

namespace vantro::cli {

namespace {

std::string serial_text(const std::optional<std::uint64_t>& serial) {
    return serial ? " " + tr_args("nº %1", {std::to_string(*serial)}) : "";
}

std::string state_text(const SocketStatus& socket) {
    switch (socket.state) {
        case SocketState::Ready:
            return tr("pronto");
        case SocketState::Running:
            return tr("gravando") + serial_text(socket.serial);
        case SocketState::Passed:
            return "PASS" + serial_text(socket.serial);
        case SocketState::Failed:
            return "FAIL" + serial_text(socket.serial);
        case SocketState::Paused:
            break;
    }
    return tr_args("pausado: tecle %1 e Enter", {std::to_string(socket.number)});
}

std::string numbers_text(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers) {
        text += (text.empty() ? "" : ", ") + std::to_string(number);
    }
    return text;
}

}  // namespace

std::vector<std::string> board_lines(const BoardState& board) {
    std::vector<std::string> lines;
    int done = 0;
    int failed = 0;
    for (const SocketStatus& socket : board.sockets) {
        done += socket.done;
        failed += socket.failed;
        lines.push_back(tr_args("Soquete %1 (%2)", {std::to_string(socket.number), socket.name}) +
                        "  " + state_text(socket) + "  " +
                        tr_args("(%1 gravados, %2 com falha)",
                                {std::to_string(socket.done), std::to_string(socket.failed)}));
    }
    std::string totals =
        tr_args("Total: %1 gravados, %2 com falha", {std::to_string(done), std::to_string(failed)});
    if (done + failed > 0) {
        // In tenths of a per cent, with the language's decimal separator.
        const int tenths = (1000 * done + (done + failed) / 2) / (done + failed);
        totals +=
            "; " +
            tr_args("rendimento %1 %",
                    {tr_args("%1,%2", {std::to_string(tenths / 10), std::to_string(tenths % 10)})});
    }
    lines.push_back(totals + "; " + tr_args("registros: %1", {board.records}));
    lines.push_back((board.enter_starts.empty() ? tr("Enter: nenhum soquete pronto")
                                                : tr_args("Enter: próximo chip nos soquetes %1",
                                                          {numbers_text(board.enter_starts)})) +
                    "; " + tr("K e Enter: soquete K; q e Enter: encerrar"));
    return lines;
}

}  // namespace vantro::cli
