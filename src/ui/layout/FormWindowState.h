#pragma once

class QWidget;

// The stored numbers of a form's window state.
constexpr int StateNormal = 0;
constexpr int StateMinimized = 1;
constexpr int StateMaximized = 2;

// Full screen counts as maximized.
int FormWindowState(const QWidget &AForm);
// Through Qt directly, without the hooks of a layout-managed form.
void ApplyFormWindowState(QWidget &AForm, int AState);
