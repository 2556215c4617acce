// SPDX-License-Identifier: MIT
#pragma once
// The language of every text, the window's and the core's. The Portuguese
// originals are the source and the default; English only when asked for.

#include <QTranslator>
#include <string_view>

namespace vantro::app {

class TextLanguage {
public:
    // "en": English texts from the embedded catalogue; anything else: the
    // Portuguese originals. Needs the QCoreApplication.
    explicit TextLanguage(std::string_view lang);
    // Back to the originals.
    ~TextLanguage();
    TextLanguage(const TextLanguage&) = delete;
    TextLanguage& operator=(const TextLanguage&) = delete;

    bool english() const { return english_; }

private:
    QTranslator qt_texts_;  // the standard dialogs' own buttons and labels
    bool english_ = false;
};

}  // namespace vantro::app
