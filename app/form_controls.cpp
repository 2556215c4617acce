// SPDX-License-Identifier: MIT
#include "app/form_controls.h"

#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <vector>

#include "app/qt_text.h"
#include "app/twips.h"
#include "app/wrapping_button.h"

namespace vantro::app {
namespace {

using form::ControlKind;

QColor qt_colour(const form::Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

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

void fill_background(QWidget& widget, const form::Rgb& colour) {
    set_colour(widget, QPalette::Window, qt_colour(colour));
    widget.setAutoFillBackground(true);
}

QLabel* label(QWidget& parent) {
    auto* created = new QLabel(&parent);
    created->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return created;
}

// The widget of one kind, with what Qt needs beyond the form's table.
QWidget* create_widget(QWidget& parent, const form::FormControl& control) {
    const QString caption = control.caption.empty() ? QString() : qtr(control.caption);
    switch (control.kind) {
        case ControlKind::CommandButton: {
            auto* button = new WrappingButton(&parent);
            button->setText(caption);
            return button;
        }
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(&parent);
            bar->setOrientation(Qt::Horizontal);
            bar->setRange(0, form::kProgressStartMaximum);
            bar->setValue(0);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(caption, &parent);
            // A caption set into the frame's top line, as the form draws it, whatever
            // the application's style; the style of a widget does not pass to its children.
            if (QStyle* framed = QStyleFactory::create(QStringLiteral("Windows"))) {
                framed->setParent(frame);
                frame->setStyle(framed);
            }
            return frame;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(caption, &parent);
            // Buttons fill with the Button colour; these boxes take the Window colour.
            box->setBackgroundRole(QPalette::Window);
            return box;
        }
        case ControlKind::Label: {
            auto* text = label(parent);
            text->setText(caption);
            return text;
        }
        case ControlKind::Image: {
            auto* image = label(parent);
            image->setPixmap(QPixmap(QStringLiteral(":/vantro/") + to_qstring(form::kPictureName)));
            image->setScaledContents(true);
            return image;
        }
    }
    return nullptr;
}

template <typename Widget>
Widget* named(const QWidget& form, const char* name) {
    return form.findChild<Widget*>(QString::fromLatin1(name));
}

}  // namespace

QStringList form_font_families() {
    return {to_qstring(form::kFontFace),       QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
            QStringLiteral("Arimo"),           QStringLiteral("DejaVu Sans")};
}

FormControls create_form_controls(QWidget& form) {
    const form::Form& description = form::main_form();
    const TwipsScale twips(form);
    form.setWindowTitle(qtr(description.caption));
    form.setFixedSize(twips.x(description.client_width_twips),
                      twips.y(description.client_height_twips));
    // A fixed size has nothing to maximize; some window managers offer it all the same.
    form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint);
    fill_background(form, description.background);

    std::vector<std::pair<int, QWidget*>> tab_chain;
    for (const form::FormControl& control : description.controls) {
        QWidget* parent = control.container.empty()
                              ? &form
                              : form.findChild<QWidget*>(to_qstring(control.container));
        QWidget* widget = create_widget(*parent, control);
        widget->setObjectName(to_qstring(control.name));
        const auto& [left, top, width, height] = control.twips;
        widget->setGeometry(twips.rect(left, top, width, height));
        widget->setEnabled(control.starts_enabled);
        if (control.font_points > 0) {
            widget->setFont(bold_font(control.font_points));
        }
        if (control.text_colour) {
            set_colour(*widget, QPalette::WindowText, qt_colour(*control.text_colour));
        }
        if (control.background) {
            fill_background(*widget, *control.background);
        }
        if (widget->focusPolicy() != Qt::NoFocus && control.tab_index >= 0) {
            tab_chain.emplace_back(control.tab_index, widget);
        }
    }
    std::ranges::sort(tab_chain);
    for (std::size_t i = 1; i < tab_chain.size(); ++i) {
        QWidget::setTabOrder(tab_chain[i - 1].second, tab_chain[i].second);
    }

    return {named<QPushButton>(form, "Command6"),
            named<QPushButton>(form, "Command1"),
            named<QProgressBar>(form, "porcentagem"),
            named<QGroupBox>(form, "Frame1"),
            named<QCheckBox>(form, "lb3"),
            named<QCheckBox>(form, "lb2"),
            named<QCheckBox>(form, "lb1"),
            named<QPushButton>(form, "Command4"),
            named<QPushButton>(form, "Command2"),
            named<QLabel>(form, "lblmsg2"),
            named<QLabel>(form, "lblmsg1"),
            named<QLabel>(form, "lblmsg"),
            named<QLabel>(form, "sucesso"),
            named<QLabel>(form, "estado"),
            named<QLabel>(form, "Label1"),
            named<QLabel>(form, "Image1")};
}

}  // namespace vantro::app
