#pragma once

// What the layout manager needs of a form that owns a layout manager: its read-only switch, which is stored
// with the form, and its own window-state setter with the hooks around it.
class ILayoutManagedForm {
public:
    ILayoutManagedForm() = default;
    ILayoutManagedForm(const ILayoutManagedForm &) = delete;
    ILayoutManagedForm &operator=(const ILayoutManagedForm &) = delete;
    virtual ~ILayoutManagedForm() = default;

    virtual bool GetLayoutReadOnly() const = 0;
    // Also sets the read-only switch of the form's layout manager.
    virtual void SetLayoutReadOnly(bool AValue) = 0;
    // 0 normal, 1 minimized, 2 maximized.
    virtual void SetLayoutWindowState(int AValue) = 0;
    virtual bool IsClosing() const = 0;
};
