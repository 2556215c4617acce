// SPDX-License-Identifier: MIT
#pragma once
// The main window's controls as Qt widgets, built from the form's table.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

#include "form/form_table.h"

namespace vantro::app {

// The form's face first; on systems without it, the closest sans-serif faces.
QStringList form_font_families();

struct FormControls {
    QPushButton* Command6;
    QPushButton* Command1;
    QProgressBar* porcentagem;
    QGroupBox* Frame1;
    QCheckBox* lb3;
    QCheckBox* lb2;
    QCheckBox* lb1;
    QPushButton* Command4;
    QPushButton* Command2;
    QLabel* lblmsg2;
    QLabel* lblmsg1;
    QLabel* lblmsg;
    QLabel* sucesso;
    QLabel* estado;
    QLabel* Label1;
    QLabel* Image1;
};

// Creates the controls as children of form, in the form's order, and sets the
// tab order; the form itself gets its caption, size and background.
FormControls create_form_controls(QWidget& form);

}  // namespace vantro::app
