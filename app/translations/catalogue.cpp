#include "app/translations/catalogue.h"

#include <QTranslator>
#include <string>

#include "protocol/texts.h"

namespace vantro::i18n {

bool use_language(std::string_view lang) {
    static QTranslator english;
    if (lang != "en" || !english.load(QStringLiteral(":/vantro/i18n/vantro_en.qm"))) {
        set_catalogue({});
        return false;
    }
    set_catalogue([](std::string_view portuguese) {
        const std::string source(portuguese);
        return english.translate("vantro", source.c_str()).toStdString();
    });
    return true;
}

}  // namespace vantro::i18n
