// SPDX-License-Identifier: MIT
// The English catalogue is used only when asked for, by the window and Qt's own
// texts alike (tests/i18n checks that it holds every text).

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPushButton>

#include "app/translation.h"
#include "connection/backend.h"
#include "form/window_controller.h"
#include "i18n/texts.h"
#include "tests/app/form_rig.h"

namespace vantro {
namespace {

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
