// SPDX-License-Identifier: MIT
#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "i18n/catalogue.h"

namespace vantro::app {

TextLanguage::TextLanguage(std::string_view lang) {
    // Qt's own dialogs (the open dialog above all) speak the program's language too.
    if (lang != "en" && qt_texts_.load(QStringLiteral("qtbase_pt_BR"),
                                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt_texts_);
    }
    english_ = i18n::use_language(lang);
}

TextLanguage::~TextLanguage() {
    if (english_) {
        i18n::use_language("pt");
    }
    QCoreApplication::removeTranslator(&qt_texts_);
}

}  // namespace vantro::app
