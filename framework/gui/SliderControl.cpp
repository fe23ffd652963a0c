#include "framework/gui/SliderControl.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/app/Screen.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/Screen.h"
#include "framework/resources/AnimationData.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ISubstitutedContainer.h"

namespace GF {
namespace HGENS {

float ClampToTrack(float coordinate, float trackStart, float trackEnd) {
    const float low = std::min(trackStart, trackEnd);
    const float high = std::max(trackStart, trackEnd);
    return std::clamp(coordinate, low, high);
}

int SliderValueAt(float coordinate, float trackStart, float trackEnd, int minimum, int maximum,
                  int unchanged) {
    const double length = static_cast<double>(trackEnd) - trackStart;
    if (length == 0.0 || maximum <= minimum) return unchanged;
    const double range = static_cast<double>(maximum) - minimum;
    const double value =
        minimum + std::trunc((coordinate - static_cast<double>(trackStart)) * range / length + 0.5);
    return static_cast<int>(std::clamp(value, static_cast<double>(minimum), static_cast<double>(maximum)));
}

float SliderFraction(int value, int minimum, int maximum) {
    if (maximum <= minimum) return 0.0f;
    const double range = static_cast<double>(maximum) - minimum;
    return static_cast<float>(std::clamp((static_cast<double>(value) - minimum) / range, 0.0, 1.0));
}

// --- The slider ---

CSliderControl::~CSliderControl() {
    // The arrows live on in the screen's controls; they must not call back into a slider gone.
    if (m_decrease) m_decrease->m_clickEvent.Remove(CreateDelegate(this, &CSliderControl::OnDecrease));
    if (m_increase) m_increase->m_clickEvent.Remove(CreateDelegate(this, &CSliderControl::OnIncrease));
    m_valueChangedEvent.Clear();
}

void CSliderControl::SetRange(int minimum, int maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    if (minimum == maximum) {
        // One step wide; at the top of the int range the step goes below instead of overflowing.
        if (maximum < std::numeric_limits<int>::max())
            ++maximum;
        else
            --minimum;
    }
    m_minimum = minimum;
    m_maximum = maximum;
}

THolder<CButtonControl> CSliderControl::MakeArrow(const std::string& suffix, THolder<IScreen> screen,
                                                  void (CSliderControl::*handler)(THolder<CBaseControl>,
                                                                                  const TPoint<int>&, int)) {
    const std::string arrowName = GetName() + suffix;
    if (!FindLayoutItem(screen->GetAnimation(), arrowName)) return {};
    THolder<CButtonControl> arrow = screen->CreateButton(arrowName);
    if (arrow) arrow->m_clickEvent.Add(CreateDelegate(this, handler));
    return arrow;
}

void CSliderControl::Initialize(const std::string& name, THolder<IScreen> screen) {
    CButtonControl::Initialize(name, screen);
    if (screen && screen->GetAnimation()) {
        m_decrease = MakeArrow("_up", screen, &CSliderControl::OnDecrease);
        m_increase = MakeArrow("_down", screen, &CSliderControl::OnIncrease);
        UpdateArrows();
    }
    const TAnimationPtr item = GetAnimation();
    if (!item) return;
    item->PlayAndApply("all", 0, false);
    m_cursor = HostedAnimation(item, "_cursor");
    if (m_cursor) {
        m_cursor->Play("_idle", 0, false);
        m_trackStart = m_cursor->GetPosition();
        item->ShowTime(item->GetEndTime());
        m_trackEnd = m_cursor->GetPosition();
        m_trackVector = m_trackEnd - m_trackStart;
    }
    item->SetSpeed(4.0f);
    m_progress = HostedAnimation(item, "_progress");
    if (m_progress) {
        m_progress->Stop();
        m_progress->SetSpeed(4.0f);
    }
}

void CSliderControl::ShowShare(const TAnimationPtr& animation, float share) {
    animation->Play("all", 0, false);
    const float start = animation->GetStartTime();
    animation->ShowTime(start + (animation->GetEndTime() - start) * share);
}

void CSliderControl::SetValue(int value, bool relayout) {
    m_value = std::clamp(value, m_minimum, m_maximum);
    const float f = SliderFraction(m_value, m_minimum, m_maximum);
    if (m_laidOut && !relayout) {
        if (m_cursor) {
            if (m_horizontal)
                m_cursor->SetX(m_trackStart.x + m_trackVector.x * f);
            else
                m_cursor->SetY(m_trackStart.y + m_trackVector.y * f);
        }
        if (!m_dragging) OnValueChanged(Self());
        if (m_progress) ShowShare(m_progress, f);
        return;
    }
    if (const TAnimationPtr item = GetAnimation()) ShowShare(item, f);
    if (m_progress) ShowShare(m_progress, f);
    UpdateArrows();
}

void CSliderControl::OnDecrease(THolder<CBaseControl>, const TPoint<int>&, int) {
    SetValue(static_cast<int>(std::max<long long>(std::numeric_limits<int>::min(),
                                                  static_cast<long long>(m_value) - m_step)),
             false);
}

void CSliderControl::OnIncrease(THolder<CBaseControl>, const TPoint<int>&, int) {
    SetValue(static_cast<int>(std::min<long long>(std::numeric_limits<int>::max(),
                                                  static_cast<long long>(m_value) + m_step)),
             false);
}

int CSliderControl::ValueFromCursor() const {
    if (!m_cursor) return 0;
    return SliderValueAt(Along(m_cursor->GetPosition()), Along(m_trackStart), Along(m_trackEnd), m_minimum,
                         m_maximum, m_value);
}

void CSliderControl::MoveCursorTo(float coordinate) {
    const float held = ClampToTrack(coordinate, Along(m_trackStart), Along(m_trackEnd));
    if (m_horizontal)
        m_cursor->SetX(held);
    else
        m_cursor->SetY(held);
}

bool CSliderControl::Update(const float& dt) {
    if (!IsVisible()) return true;
    const THolder<CBaseControl> self = Self();
    if (m_dragging) {
        if ((ReadMouseButtons() & 1) == 0) {
            if (m_cursor) m_cursor->Play("_idle", 0, false);
            m_dragging = false;
        } else if (m_cursor) {
            const TPoint<int> mouse = ReadMousePosition();
            const TPoint<float> at{static_cast<float>(mouse.x), static_cast<float>(mouse.y)};
            MoveCursorTo(Along(at) - Along(m_dragStartMouse) + Along(m_dragStartCursor));
            SetValue(ValueFromCursor(), false);
            OnValueChanged(self);
        }
    }
    UpdateArrows();
    const TAnimationPtr item = GetAnimation();
    if (!m_laidOut && item) {
        // The screen's show phase may have moved the layout since Initialize: measure the track again.
        m_laidOut = true;
        item->SetActive(true);
        item->PlayAndApply("all", 0, false);
        item->ApplyTransform();
        if (m_cursor) m_trackStart = m_cursor->GetPosition();
        item->ShowTime(item->GetEndTime());
        if (m_cursor) m_trackEnd = m_cursor->GetPosition();
        SetValue(m_value, true);
    }
    return UpdateState(dt);
}

void CSliderControl::OnMouseEnter(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseEnter(sender);
}

void CSliderControl::OnMouseLeave(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseLeave(sender);
}

void CSliderControl::OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    if (m_cursor) {
        const TRect box = m_cursor->GetBoundingBox();
        if (box.left <= point.x && point.x <= box.right && box.top <= point.y && point.y <= box.bottom) {
            m_dragging = true;
            m_dragStartMouse = {static_cast<float>(point.x), static_cast<float>(point.y)};
            m_dragStartCursor = m_cursor->GetPosition();
            m_cursor->Play("_down", 0, false);
        } else {
            MoveCursorTo(Along({static_cast<float>(point.x), static_cast<float>(point.y)}));
            SetValue(ValueFromCursor(), false);
            OnValueChanged(Self());
        }
    }
    CBaseControl::OnMouseDown(sender, point, buttons);
}

void CSliderControl::OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    CBaseControl::OnClick(sender, point, buttons);
}

void CSliderControl::StopDragging() {
    if (!m_dragging) return;
    m_dragging = false;
    OnValueChanged(Self());
}

void CSliderControl::OnVisibleChanged(THolder<CBaseControl> sender) {
    StopDragging();
    if (m_decrease) m_decrease->SetVisible(IsVisible());
    if (m_increase) m_increase->SetVisible(IsVisible());
    CButtonControl::OnVisibleChanged(sender);
}

void CSliderControl::OnEnabledChanged(THolder<CBaseControl> sender) {
    StopDragging();
    UpdateArrows();
    ShowEnabledPart();
    CButtonControl::OnEnabledChanged(sender);
}

void CSliderControl::OnValueChanged(THolder<CBaseControl> sender) {
    m_valueChangedEvent.Raise(sender);
}

void CSliderControl::UpdateArrows() {
    if (m_decrease) m_decrease->SetEnabled(IsEnabled() && m_value > m_minimum);
    if (m_increase) m_increase->SetEnabled(IsEnabled() && m_value < m_maximum);
}

void CSliderControl::ShowEnabledPart() {
    const TAnimationPtr item = GetAnimation();
    if (!item) return;
    const THolder<IAnimationData> data = item->GetAnimationData();
    const THolder<INamedPart> part =
        data ? data->GetNamedPart(IsEnabled() ? "_enabled" : "_disabled") : nullptr;
    if (!part) return;
    m_enabledPartStart = part->GetStart();
    item->PlayFrom(m_enabledPartStart);
}

// --- The screens' factory ---

namespace {

THolder<CBaseControl> MakeSlider() {
    return THolder<CBaseControl>(new CSliderControl);
}

void SetUpSlider(CBaseControl& control, const THolder<IScreen>&, const tagControlArgs& args) {
    auto& slider = static_cast<CSliderControl&>(control);
    slider.SetRange(args.minimum, args.maximum);
    slider.SetHorizontal(args.horizontal);
    slider.SetValue(args.value, false);
}

}  // namespace

void RegisterSliderControl() {
    RegisterControlFactory(EControlKind::Slider, {&MakeSlider, &SetUpSlider});
}

}  // namespace HGENS
}  // namespace GF
