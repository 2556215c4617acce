// SPDX-License-Identifier: MIT
#include "app/form_controls.h"

#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <array>
#include <string_view>

#include "app/qt_text.h"
#include "app/twips.h"
#include "app/wrapping_button.h"

namespace vantro::app {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kStatusGreen(0, 192, 0);
const QColor kConnectionRed(255, 0, 0);

QFont bold_font(double points) {
    QFont font;
    font.setFamilies(form_font_families());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

void set_colour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

void paint_white(QWidget& widget) {
    set_colour(widget, QPalette::Window, kWhite);
    widget.setAutoFillBackground(true);
}

template <typename Widget>
Widget* place(QWidget& parent, const char* name, const QRect& rect) {
    auto* widget = new Widget(&parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

QPushButton* command_button(QWidget& form, const char* name, const QString& caption,
                            const QRect& rect) {
    auto* button = place<WrappingButton>(form, name, rect);
    button->setText(caption);
    button->setFont(bold_font(9.75));
    button->setEnabled(false);
    return button;
}

QCheckBox* lock_bit_box(QGroupBox& frame, const char* name, const QString& caption,
                        const QRect& rect) {
    auto* box = place<QCheckBox>(frame, name, rect);
    box->setText(caption);
    box->setFont(bold_font(8.25));
    // Buttons fill with the Button colour; these boxes take the form's white.
    box->setBackgroundRole(QPalette::Window);
    paint_white(*box);
    return box;
}

QLabel* label(QWidget& form, const char* name, const QRect& rect) {
    auto* created = place<QLabel>(form, name, rect);
    created->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return created;
}

QLabel* record_label(QWidget& form, const char* name, const QRect& rect) {
    auto* created = label(form, name, rect);
    paint_white(*created);
    return created;
}

}  // namespace

QStringList form_font_families() {
    return {QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
            QStringLiteral("Arimo"),           QStringLiteral("DejaVu Sans")};
}

FormControls create_form_controls(QWidget& form) {
    const TwipsScale twips(form);
    form.setWindowTitle(qtr("Vantro - Vr 2018_B"));
    form.setFixedSize(twips.x(6900), twips.y(3660));
    // A fixed size has nothing to maximize; some window managers offer it all the same.
    form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint);
    paint_white(form);

    FormControls c{};
    c.Command6 =
        command_button(form, "Command6", qtr("Gravar FLASH"), twips.rect(1800, 240, 1575, 735));
    c.Command1 =
        command_button(form, "Command1", qtr("Gravar EEPROM"), twips.rect(3480, 240, 1575, 735));

    c.porcentagem = place<QProgressBar>(form, "porcentagem", twips.rect(3120, 2160, 3615, 375));
    c.porcentagem->setOrientation(Qt::Horizontal);
    c.porcentagem->setRange(0, 100);
    c.porcentagem->setValue(0);
    c.porcentagem->setTextVisible(false);

    c.Frame1 = place<QGroupBox>(form, "Frame1", twips.rect(120, 1200, 6615, 855));
    c.Frame1->setTitle(qtr("Lock Bits"));
    c.Frame1->setFont(bold_font(12));
    // A caption set into the frame's top line, as the form draws it, whatever the
    // application's style; the style of a widget does not pass to its children.
    if (QStyle* framed = QStyleFactory::create(QStringLiteral("Windows"))) {
        framed->setParent(c.Frame1);
        c.Frame1->setStyle(framed);
    }
    paint_white(*c.Frame1);
    set_colour(*c.Frame1, QPalette::WindowText, kBlack);
    c.lb3 = lock_bit_box(*c.Frame1, "lb3", qtr("LB3"), twips.rect(720, 360, 1335, 255));
    c.lb2 = lock_bit_box(*c.Frame1, "lb2", qtr("LB2"), twips.rect(3120, 360, 735, 255));
    c.lb1 = lock_bit_box(*c.Frame1, "lb1", qtr("LB1"), twips.rect(5280, 360, 735, 255));

    c.Command4 =
        command_button(form, "Command4", qtr("Apagar Memórias"), twips.rect(120, 240, 1575, 735));
    c.Command2 =
        command_button(form, "Command2", qtr("Gravar LOCK BITS"), twips.rect(5160, 240, 1575, 735));

    // Below the client area: never seen, although the runs keep writing them.
    c.lblmsg2 = record_label(form, "lblmsg2", twips.rect(960, 5040, 4935, 495));
    c.lblmsg1 = record_label(form, "lblmsg1", twips.rect(960, 4560, 4935, 495));
    c.lblmsg = record_label(form, "lblmsg", twips.rect(960, 4080, 4935, 495));

    c.sucesso = label(form, "sucesso", twips.rect(3240, 2760, 3375, 375));
    c.sucesso->setFont(bold_font(9.75));
    set_colour(*c.sucesso, QPalette::WindowText, kStatusGreen);

    c.estado = label(form, "estado", twips.rect(3240, 3240, 3495, 255));
    c.estado->setText(qtr("Estado: Gravador Desconectado"));
    c.estado->setFont(bold_font(9.75));
    set_colour(*c.estado, QPalette::WindowText, kConnectionRed);

    c.Label1 = label(form, "Label1", twips.rect(120, 3120, 3255, 375));
    c.Label1->setText(QString::fromLatin1(kMakerAddress));
    c.Label1->setFont(bold_font(12));

    c.Image1 = label(form, "Image1", twips.rect(120, 2160, 2655, 975));
    c.Image1->setPixmap(QPixmap(QStringLiteral(":/vantro/image1.jpg")));
    c.Image1->setScaledContents(true);

    // Tab indices 1, 2, 4, 5, 6, 10, 11; the others belong to controls that take no focus.
    const std::array<QWidget*, 7> tab_chain{c.Command2, c.Command4, c.lb1,     c.lb2,
                                            c.lb3,      c.Command1, c.Command6};
    for (std::size_t i = 1; i < tab_chain.size(); ++i) {
        QWidget::setTabOrder(tab_chain[i - 1], tab_chain[i]);
    }
    return c;
}

}  // namespace vantro::app
