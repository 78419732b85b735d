#include "TLayoutManagerControl.h"

#include "ComponentTree.h"
#include "FormWindowState.h"
#include "ILayoutManagedForm.h"
#include "ILayoutManagerControlLayout.h"
#include "ILayoutScreenSource.h"
#include "Quarl.LayoutManager.Control.h"
#include "Quarl.LayoutManager.Form.h"
#include "Quarl.LayoutManager.Storage.h"
#include "StoredProperty.h"
#include "TLayoutManagerValues.h"
#include "TPropInfoList.h"
#include "TQtScreenSource.h"
#include "TStorageBracket.h"

#include <QRect>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

using enum TLayoutManagerControlOption;

void SetWindowState(QWidget &form, int state)
{
    if (auto *managed = dynamic_cast<ILayoutManagedForm *>(&form))
        managed->SetLayoutWindowState(state);
    else
        ApplyFormWindowState(form, state);
}

// Widgets have no alignment of their own; the stored ordinal rides along as a dynamic property.
int AlignOf(const QWidget &control)
{
    return control.property("Align").toInt();
}

void SetAlign(QWidget &control, std::int64_t align)
{
    control.setProperty("Align", static_cast<int>(align));
}

// Outer size: the frame around a window counts.
QSize OuterSize(const QWidget &control)
{
    return control.isWindow() ? control.frameGeometry().size() : control.size();
}

void SetOuterSize(QWidget &control, int width, int height)
{
    const QSize frame = OuterSize(control) - control.size();
    control.resize(width - frame.width(), height - frame.height());
}

std::optional<int> ToInteger(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// "a,b" split at the first comma; each side that does not convert gives its fallback. None without a comma.
std::optional<std::pair<int, int>> ParsePair(const std::string &text, int first, int second)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    const std::string_view all(text);
    return std::pair(ToInteger(all.substr(0, comma)).value_or(first), ToInteger(all.substr(comma + 1)).value_or(second));
}

std::string PairText(int first, int second)
{
    return std::to_string(first) + "," + std::to_string(second);
}

const ILayoutScreenSource &ScreensOf(const TLayoutManager *manager)
{
    static const TQtScreenSource qtScreens;
    return manager == nullptr ? qtScreens : manager->GetScreenSource();
}

std::string DesktopPosName(const QSize &desktop)
{
    return "Pos(" + std::to_string(desktop.width()) + "x" + std::to_string(desktop.height()) + ")";
}

std::string DesktopSizeName(const QSize &desktop, int dpi)
{
    return "Size(" + std::to_string(desktop.width()) + "x" + std::to_string(desktop.height()) + "x" + std::to_string(dpi) + ")";
}

} // namespace

TLayoutManagerControl::TLayoutManagerControl() = default;

TLayoutManagerControl::~TLayoutManagerControl()
{
    DropLayout();
}

void TLayoutManagerControl::SetStorage(std::shared_ptr<ILayoutManagerStorage> AValue)
{
    if (FStorage == AValue)
        return;
    if (FStorage)
        FStorage->Close();
    FStorage = std::move(AValue);
}

void TLayoutManagerControl::SetComponent(QObject *AValue)
{
    FComponent = AValue;
    FClassName = AValue == nullptr ? std::string() : AValue->metaObject()->className();
    if (AValue == nullptr || !AValue->isWidgetType())
        FOptions = {};
    FPropList = AValue == nullptr ? nullptr : std::make_unique<TPropInfoList>(*AValue->metaObject());
}

void TLayoutManagerControl::AddProperty(const std::string &AName)
{
    const auto before = [](const std::string &left, const std::string &right) {
        return QString::fromStdString(left).compare(QString::fromStdString(right), Qt::CaseInsensitive) < 0;
    };
    const auto place = std::lower_bound(FProps.begin(), FProps.end(), AName, before);
    if (place != FProps.end() && SameValueName(*place, AName))
        return;
    FProps.insert(place, AName);
}

void TLayoutManagerControl::SetOptions(TLayoutManagerControlOptions AValue)
{
    const QObject *component = FComponent.data();
    if (component != nullptr && component->isWidgetType())
        FOptions = AValue;
}

void TLayoutManagerControl::SetLayout(std::unique_ptr<ILayoutManagerControlLayout> AValue)
{
    DropLayout();
    FLayout = std::move(AValue);
    if (FLayout)
        FLayout->SetControl(this);
}

void TLayoutManagerControl::DropLayout()
{
    if (FLayout)
        FLayout->SetControl(nullptr);
    FLayout.reset();
}

std::string TLayoutManagerControl::Section() const
{
    const QObject *component = FComponent.data();
    return component == nullptr ? std::string() : SectionOf(*component, FClassName);
}

void TLayoutManagerControl::Restore()
{
    QObject *component = FComponent.data();
    if (!FStorage || component == nullptr)
        return;
    TStorageBracket bracket(*FStorage, true);
    if (component->isWidgetType()) {
        auto &control = static_cast<QWidget &>(*component);
        if (IsForm(control) || IsFrame(control))
            RestoreForm(control);
        else
            RestoreControl(control);
    }
    RestoreProperties(*component);
    bracket.Close();
}

void TLayoutManagerControl::RestoreForm(QWidget &AForm)
{
    ILayoutManagerStorage &storage = *FStorage;
    const std::string section = Section();
    const QSize desktop = ScreensOf(FLM).VirtualDesktop().size();
    if (FOptions.Contains(loPosition)) {
        SetAlign(AForm, storage.ReadInteger(section, "Align", AlignOf(AForm)));
        std::string text = storage.ReadString(section, DesktopPosName(desktop), {});
        if (text.empty())
            text = storage.ReadString(section, "Pos", {});
        if (const auto pos = ParsePair(text, AForm.x(), AForm.y()))
            AForm.move(pos->first, pos->second);
    }
    if (FOptions.Contains(loSize)) {
        const int dpi = ScreensOf(FLM).MonitorDpi(AForm);
        std::string text = storage.ReadString(section, DesktopSizeName(desktop, dpi), {});
        if (text.empty())
            text = storage.ReadString(section, "Size", {});
        const QSize outer = OuterSize(AForm);
        if (const auto size = ParsePair(text, outer.width(), outer.height()))
            SetOuterSize(AForm, size->first, size->second);
    }
    if (!IsForm(AForm))
        return;
    if (FOptions.Contains(loState) && storage.ValueExists(section, "State"))
        SetWindowState(AForm, static_cast<int>(storage.ReadInteger(section, "State", FormWindowState(AForm))));
    if (FOptions.Contains(loStyle) && storage.ValueExists(section, "Style"))
        ApplyFormStyle(AForm, static_cast<int>(storage.ReadInteger(section, "Style", FormStyle(AForm))));
    if (auto *managed = dynamic_cast<ILayoutManagedForm *>(&AForm))
        managed->SetLayoutReadOnly(storage.ReadBoolean(section, "LayoutReadOnly", managed->GetLayoutReadOnly()));
}

void TLayoutManagerControl::RestoreControl(QWidget &AControl)
{
    ILayoutManagerStorage &storage = *FStorage;
    const std::string section = Section();
    if (FOptions.Contains(loSize)) {
        const QSize outer = OuterSize(AControl);
        SetOuterSize(AControl, static_cast<int>(storage.ReadInteger(section, "Width", outer.width())),
                     static_cast<int>(storage.ReadInteger(section, "Height", outer.height())));
    }
    if (FOptions.Contains(loPosition)) {
        SetAlign(AControl, storage.ReadInteger(section, "Align", AlignOf(AControl)));
        AControl.move(static_cast<int>(storage.ReadInteger(section, "Left", AControl.x())),
                      static_cast<int>(storage.ReadInteger(section, "Top", AControl.y())));
    }
    if (FOptions.Contains(loState)) {
        AControl.setVisible(storage.ReadBoolean(section, "Visible", !AControl.isHidden()));
        AControl.setEnabled(storage.ReadBoolean(section, "Enabled", AControl.isEnabled()));
    }
    if (FLayout)
        FLayout->Restore();
}

void TLayoutManagerControl::RestoreProperties(QObject &AComponent)
{
    for (const std::string &name : FProps) {
        if (const TPropInfo *info = FPropList->Find(name))
            RestoreProperty({*FStorage, Section(), name, ReferenceHome()}, AComponent, *info);
    }
}

void TLayoutManagerControl::Save()
{
    QObject *component = FComponent.data();
    if (!FStorage || component == nullptr)
        return;
    TStorageBracket bracket(*FStorage, false);
    if (component->isWidgetType()) {
        auto &control = static_cast<QWidget &>(*component);
        if (IsForm(control) || IsFrame(control))
            SaveForm(control);
        else
            SaveControl(control);
    }
    SaveProperties(*component);
    bracket.Close();
}

void TLayoutManagerControl::SaveForm(QWidget &AForm)
{
    ILayoutManagerStorage &storage = *FStorage;
    const std::string section = Section();
    const QSize desktop = ScreensOf(FLM).VirtualDesktop().size();
    const bool form = IsForm(AForm);
    // A maximized or minimized form keeps the normal geometry of its last save.
    const bool normalGeometry = !form || FormWindowState(AForm) == StateNormal;
    if (FOptions.Contains(loSize) && normalGeometry) {
        const QSize outer = OuterSize(AForm);
        const std::string text = PairText(outer.width(), outer.height());
        storage.WriteString(section, "Size", text);
        storage.WriteString(section, DesktopSizeName(desktop, ScreensOf(FLM).MonitorDpi(AForm)), text);
    }
    if (FOptions.Contains(loPosition)) {
        if (normalGeometry) {
            const std::string text = PairText(AForm.x(), AForm.y());
            storage.WriteString(section, "Pos", text);
            storage.WriteString(section, DesktopPosName(desktop), text);
        }
        storage.WriteInteger(section, "Align", AlignOf(AForm));
    }
    if (!form)
        return;
    if (FOptions.Contains(loState) && FormWindowState(AForm) != StateMinimized)
        storage.WriteInteger(section, "State", FormWindowState(AForm));
    if (FOptions.Contains(loStyle))
        storage.WriteInteger(section, "Style", FormStyle(AForm));
    if (const auto *managed = dynamic_cast<const ILayoutManagedForm *>(&AForm))
        storage.WriteBoolean(section, "LayoutReadOnly", managed->GetLayoutReadOnly());
}

void TLayoutManagerControl::SaveControl(QWidget &AControl)
{
    ILayoutManagerStorage &storage = *FStorage;
    const std::string section = Section();
    if (FOptions.Contains(loSize)) {
        const QSize outer = OuterSize(AControl);
        storage.WriteInteger(section, "Width", outer.width());
        storage.WriteInteger(section, "Height", outer.height());
    }
    if (FOptions.Contains(loPosition)) {
        storage.WriteInteger(section, "Left", AControl.x());
        storage.WriteInteger(section, "Top", AControl.y());
    }
    if (FOptions.Contains(loState)) {
        storage.WriteBoolean(section, "Visible", !AControl.isHidden());
        storage.WriteBoolean(section, "Enabled", AControl.isEnabled());
    }
    if (FLayout)
        FLayout->Save();
}

void TLayoutManagerControl::SaveProperties(QObject &AComponent)
{
    for (const std::string &name : FProps) {
        if (const TPropInfo *info = FPropList->Find(name))
            SaveProperty({*FStorage, Section(), name, ReferenceHome()}, AComponent, *info);
    }
}

QObject *TLayoutManagerControl::ReferenceHome() const
{
    QWidget *owner = FLM == nullptr ? nullptr : FLM->GetOwner();
    return owner != nullptr ? owner : TLMForm::MainForm();
}

void TLayoutManagerControl::DeleteData()
{
    if (FStorage && FComponent != nullptr)
        FStorage->DeleteSection(Section());
}
