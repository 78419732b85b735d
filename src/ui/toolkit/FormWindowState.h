#pragma once

class QWidget;

// The stored numbers of a form's window state.
constexpr int StateNormal = 0;
constexpr int StateMinimized = 1;
constexpr int StateMaximized = 2;

// The stored numbers of a form's style; Qt windows have no MDI, so only these two occur.
constexpr int StyleNormal = 0;
constexpr int StyleStayOnTop = 3;

// Full screen counts as maximized.
int FormWindowState(const QWidget &AForm);
// Through Qt directly, without the hooks of a layout-managed form.
void ApplyFormWindowState(QWidget &AForm, int AState);

int FormStyle(const QWidget &AForm);
// Any number but 3 makes the form normal. A shown form keeps its place, state and visibility.
void ApplyFormStyle(QWidget &AForm, int AStyle);
