// SPDX-License-Identifier: MIT
// The English catalogue: it holds every text the core and the window pass to
// tr(), keeps their placeholders, and is used only when asked for.

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <filesystem>
#include <set>

#include "app/translation.h"
#include "connection/backend.h"
#include "form/form_table.h"
#include "form/window_controller.h"
#include "i18n/catalogue.h"
#include "i18n/texts.h"
#include "tests/app/form_rig.h"
#include "tests/support/read_all.h"

namespace vantro {
namespace {

namespace fs = std::filesystem;

// The first argument of every tr(, tr_args(, qtr( and wtr( call: one string literal or
// several adjacent ones, with \", \n and \\ escapes.
std::set<std::string> texts_passed_to_tr() {
    static const QRegularExpression call(
        QStringLiteral(R"re((?<![\w.])(?:[qw]?tr|tr_args)\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    std::set<std::string> texts;
    for (const char* module : {"hex", "protocol", "hid", "hidapi", "emulator", "ops", "connection",
                               "form", "app", "win", "cli"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(VANTRO_SOURCE_DIR) / module)) {
            const auto extension = entry.path().extension();
            if (extension != ".cpp" && extension != ".h") {
                continue;
            }
            const QString source = QString::fromStdString(testing::read_all(entry.path()));
            for (auto calls = call.globalMatch(source); calls.hasNext();) {
                QString text;
                for (auto parts = literal.globalMatch(calls.next().captured(1)); parts.hasNext();) {
                    text += parts.next().captured(1);
                }
                text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
                text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
                text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
                texts.insert(text.toStdString());
            }
        }
    }
    // The form's captions, shown through tr() by both windows; the web address is no text.
    texts.insert(std::string(form::main_form().caption));
    for (const auto& control : form::main_form().controls) {
        if (!control.caption.empty() && control.caption != form::kMakerAddress) {
            texts.insert(std::string(control.caption));
        }
    }
    return texts;
}

TEST(Translation, EveryTextPassedToTrHasAnEnglishEntryWithItsPlaceholders) {
    const std::set<std::string> texts = texts_passed_to_tr();
    ASSERT_GT(texts.size(), 20u);  // the scan found the calls
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    for (const std::string& portuguese : texts) {
        const auto english = i18n::english_text(portuguese);
        ASSERT_TRUE(english.has_value()) << "no English for: " << portuguese;
        const QString translated = QString::fromUtf8(english->data(), english->size());
        for (auto found = placeholder.globalMatch(QString::fromStdString(portuguese));
             found.hasNext();) {
            EXPECT_TRUE(translated.contains(found.next().captured())) << portuguese;
        }
    }
}

TEST(Translation, PortugueseUnlessEnglishIsAskedFor) {
    testing::qt_app();
    for (const char* lang : {"", "pt"}) {
        const app::TextLanguage language(lang);
        EXPECT_FALSE(language.english());
        EXPECT_EQ(tr("Gravar FLASH"), "Gravar FLASH") << lang;
        EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).buttons().value(0)->text(),
                  QStringLiteral("Cancelar"));
        EXPECT_EQ(tr_args("Falha na gravação de Lock bits %1", {"3"}),
                  "Falha na gravação de Lock bits 3");
    }
    {
        const app::TextLanguage language("en");
        ASSERT_TRUE(language.english());
        EXPECT_EQ(tr_args("Falha na gravação de Lock bits %1", {"3"}), "Lock bits write failed 3");
        testing::FormRig rig({}, false);
        EXPECT_EQ(rig.form.controls().Command6->text(), QStringLiteral("Write FLASH"));
        EXPECT_EQ(rig.form.controls().estado->text(),
                  QStringLiteral("Status: Programmer Disconnected"));
        EXPECT_EQ(form::hex_file_dialog().title, "Find hex file");
        connection::ConnectionOptions emulated;
        emulated.emulator = true;
        rig.form.describe_backend(connection::make_backend(emulated)->description());
        EXPECT_EQ(rig.form.windowTitle(),
                  QStringLiteral("Vantro - Vr 2018_B — emulated programmer"));
    }
    EXPECT_EQ(tr("Gravar FLASH"), "Gravar FLASH");  // the originals once it is gone
}

}  // namespace
}  // namespace vantro
