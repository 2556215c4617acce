// SPDX-License-Identifier: MIT
#include "ops/packed_run.h"

#include <algorithm>

namespace vantro::ops {

class PackedRun::LabelRecorder : public hex::RecordLabels {
public:
    explicit LabelRecorder(PackedRun& run) : run_(run) {}
    void set_record_label(int index, std::string_view text) override {
        run_.label_calls_.push_back(
            {run_.reports_.size(), index, run_.label_texts_.size(), text.size()});
        run_.label_texts_.append(text);
    }

private:
    PackedRun& run_;
};

PackedRun PackedRun::pack(hex::Memory mode, hex::LineTable& table, hex::Packer packer) {
    PackedRun run;
    run.mode_ = mode;
    LabelRecorder labels(run);
    const int bound = table.total_linhas;
    run.reports_.reserve(static_cast<std::size_t>(std::max(bound, 0) / 3 + 1));
    for (int i = 1; i <= bound; i += 3) {
        protocol::Report report{};
        packer(mode, i, table, report, labels);
        run.reports_.push_back(report);
    }
    return run;
}

void PackedRun::load_report(std::size_t k, protocol::Report& buffer_saida,
                            hex::RecordLabels& labels) const {
    const protocol::Report& report = reports_.at(k);
    // Index 64 is written by no command.
    std::copy(report.begin(), report.end() - 1, buffer_saida.begin());
    const auto first = std::ranges::lower_bound(label_calls_, k, {}, &LabelCall::report);
    for (auto call = first; call != label_calls_.end() && call->report == k; ++call) {
        labels.set_record_label(call->index,
                                std::string_view(label_texts_).substr(call->offset, call->size));
    }
}

}  // namespace vantro::ops
