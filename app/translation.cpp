#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <string>

#include "protocol/texts.h"

namespace vantro::app {

TextLanguage::TextLanguage(std::string_view lang) {
    // Qt's own dialogs (the open dialog above all) speak the program's language too.
    if (lang != "en" && qt_texts_.load(QStringLiteral("qtbase_pt_BR"),
                                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt_texts_);
    }
    if (lang != "en" || !texts_.load(QStringLiteral(":/vantro/i18n/vantro_en.qm"))) {
        return;
    }
    english_ = true;
    set_catalogue([this](std::string_view portuguese) {
        const std::string source(portuguese);
        return texts_.translate("vantro", source.c_str()).toStdString();
    });
}

TextLanguage::~TextLanguage() {
    if (english_) {
        set_catalogue({});
    }
    QCoreApplication::removeTranslator(&qt_texts_);
}

}  // namespace vantro::app
