// SPDX-License-Identifier: MIT
#include "i18n/texts.h"

#include <mutex>

namespace vantro {
namespace {

std::mutex catalogue_mutex;
Catalogue& catalogue() {
    static Catalogue instance;
    return instance;
}

}  // namespace

void set_catalogue(Catalogue c) {
    std::lock_guard lock(catalogue_mutex);
    catalogue() = std::move(c);
}

std::string tr(std::string_view portuguese) {
    std::lock_guard lock(catalogue_mutex);
    if (!catalogue()) {
        return std::string(portuguese);
    }
    std::string translated = catalogue()(portuguese);
    return translated.empty() ? std::string(portuguese) : translated;
}

std::string tr_args(std::string_view portuguese, std::initializer_list<std::string_view> args) {
    const std::string pattern = tr(portuguese);
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < args.size()) {
                out.append(*(args.begin() + index));
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

}  // namespace vantro
