#include "game/screens/NewIngridientScreen.h"

#include <algorithm>

#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/kitchen/GenericActions.h"

namespace {

constexpr const char* kPlace = "_place";
constexpr const char* kText = "_text";
constexpr const char* kHiddenCaption = "caption_2";

const std::vector<std::string>& NewIngredients(const std::string& level) {
    static const std::vector<std::string> kNone;
    const CLevelInfo* info = GetLevelsData().FindLevel(level);
    return info ? info->NewIngridients : kNone;
}

// Rows of `perRow`, the last one filled as far as the count goes.
int RowsFor(std::size_t count, float perRow) {
    return static_cast<int>(static_cast<float>(count) / perRow + 0.99f);
}

}  // namespace

CNewIngridientScreen::~CNewIngridientScreen() {
    m_elements.clear();
}

std::string CNewIngridientScreen::LayoutFor(std::size_t count) {
    if (count == 0) return {};
    const int rows = std::max(1, RowsFor(count, 3.0f));
    return kLayoutPrefix + std::to_string(std::min(rows, 3));
}

GF::WString CNewIngridientScreen::BreakName(const GF::WString& name) {
    GF::WString broken = name;
    const std::size_t space = broken.find(u' ');
    if (space != GF::WString::npos) broken.insert(space + 1, u"\\n");
    return broken;
}

void CNewIngridientScreen::Initialize(const std::string&, GF::THolder<GF::IScene> scene,
                                      const char* phraseKey) {
    m_levelName = GetStageSummaryName();
    const std::string layout = LayoutFor(NewIngredients(m_levelName).size());
    CPlayerProfile& player = GetCurrentPlayer();
    const auto progress = player.levels.find(m_levelName);
    const bool announced = progress != player.levels.end() && progress->second.announced;
    if (!layout.empty() && !announced) {
        player.levels[m_levelName].announced = true;
        TGameMenuScreen::Initialize(layout, std::move(scene), phraseKey);
        return;
    }
    m_scene = std::move(scene);
}

bool CNewIngridientScreen::Update(const float& dt) {
    const GF::THolder<GF::IScreen> self = Self();
    // The phase step, then the scene.
    if (!TGameMenuScreen::Update(dt)) return false;
    if (m_layout) {
        RevealWoken();
        CActionWorker::Update(dt);
        return true;
    }
    // The manager may step a screen it has just shown without ending it on a false answer: the
    // screen keeps answering false, without finishing again, until it is ended.
    if (m_result != "play") Finish("play", kGameFinishFlags);
    return false;
}

// The shades are handed this screen's scene first: shown in a scene of its own, the screen would
// otherwise wait for shades that are drawn, and so moved, nowhere.
void CNewIngridientScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    BindControl("ok", "play", false, kGameFinishFlags);
    if (m_layout) m_layout->SetChildVisible(kHiddenCaption, false);
    LayoutIngredients(NewIngredients(m_levelName));
}

void CNewIngridientScreen::LayoutIngredients(const std::vector<std::string>& keys) {
    const std::size_t count = keys.size();
    std::size_t perRow = 3;
    int rows = RowsFor(count, 3.0f);
    if (rows > 4) {
        perRow = 4;
        rows = RowsFor(count, 4.0f);
    }
    float y = -(static_cast<float>(rows - 1) * kRowStep) * 0.5f;
    if (rows == 2) y -= 22.0f;
    const GF::TSubstitutedContainerPtr place(m_layout ? m_layout->FindDrawable(kPlace).Get() : nullptr);
    if (!place) LogMissingPart(m_name, kPlace);
    for (std::size_t first = 0; first < count; first += perRow) {
        const std::size_t inRow = std::min(perRow, count - first);
        float x = -(static_cast<float>(inRow - 1) * kColumnStep) * 0.5f;
        for (std::size_t k = first; k < first + inRow; ++k) {
            const GF::TAnimationPtr element = CreateIngredientElement(keys[k]);
            if (!element) continue;
            element->SetPosition(x, y);
            element->Update(0.0f);
            if (place) element->SetContainer(place, true);
            x += kColumnStep;
            m_elements.push_back(element);
            element->Play("_show", 0, false);
            // A waiting element keeps being drawn: it stays hidden until it wakes.
            element->SetDelay(kFirstDelay + kDelayStep * static_cast<float>(k), true);
            element->SetVisible(false);
        }
        y += kRowStep;
        if (rows == 2) y += 44.0f;
    }
}

GF::TAnimationPtr CNewIngridientScreen::CreateIngredientElement(const std::string& key) {
    const GF::TAnimationPtr element = m_scene ? m_scene->CreateAnimation(kElement) : GF::TAnimationPtr();
    if (!element) return element;
    const CIngridientInfo* info = GetLibData().FindIngridient(key);
    element->SetText(kText, BreakName(info ? info->Title : GF::WString()));
    const GF::TSubstitutedContainerPtr place(element->FindDrawable(kPlace).Get());
    const GF::TAnimationPtr picture = place ? place->Substitute(key) : GF::TAnimationPtr();
    if (!picture) return element;
    picture->SetContainer(place, true);
    picture->Play("_idle", 0, false);
    element->Update(0.0f);
    // Every picture is brought to the row's height, a small one too: a library picture is drawn at
    // the kitchen's own scale, which a level may enlarge (the saucepan is a 16 x 16 cell placed four
    // times its size), and would show a few pixels wide here.
    const GF::TRect box = picture->GetBoundingBox();
    const float height = static_cast<float>(box.bottom - box.top);
    if (height > 0.0f && height != kPictureHeight) {
        picture->SetScale(kPictureHeight / height, kPictureHeight / height);
        element->Update(0.0f);
    }
    const GF::TSubstitutedContainerPtr text(element->FindDrawable(kText).Get());
    if (text) {
        const float bottom = static_cast<float>(picture->GetBoundingBox().bottom);
        picture->SetY(picture->GetPosition().y + (text->GetTransform().y - bottom));
    }
    return element;
}

void CNewIngridientScreen::Show() {
    TGameMenuScreen::Show();
    if (!m_layout || GetLastAction()) return;
    if (m_shades->GetProgress() < m_openThreshold) AddAction(CWaitAction::Create(kEffectDuration));
    AddAction(CPlaySoundAction::Create(kArrivalSound));
}

// Replaces the template's command: a click while elements still wait shows them all and keeps the
// screen; once the last one is shown, the click ends it.
void CNewIngridientScreen::OnCommand(const std::string&) {
    if (m_elements.empty() || m_elements.back()->IsActive()) return;
    m_result.clear();
    m_pendingResult.clear();
    m_autoShow = false;
    m_hideBeforeFinish = false;
    for (const GF::TAnimationPtr& element : m_elements) {
        element->SetDelay(0.0f, true);
        element->SetActive(true);
        element->SetVisible(true);
        element->Stop();
    }
}

void CNewIngridientScreen::OnDestroy() {
    for (const GF::TAnimationPtr& element : m_elements) element->Reset();
    TGameMenuScreen::OnDestroy();
}

void CNewIngridientScreen::RevealWoken() {
    for (const GF::TAnimationPtr& element : m_elements)
        if (element->IsActive() && !element->IsVisible()) element->SetVisible(true);
}
