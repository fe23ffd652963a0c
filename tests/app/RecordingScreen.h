#pragma once
#include <string>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/gui/Screen.h"

// A screen that writes each call the manager makes into a journal (usually the recording engine's
// call list, so screen and engine calls interleave) and keeps running until told to finish.
class CRecordingScreen : public GF::HGENS::CScreenAbstract {
public:
    static inline std::vector<std::string>* journal = nullptr;

    void Initialize(const std::string& layoutName, GF::THolder<GF::IScene>, const char* phraseKey) override {
        Note("Initialize " + layoutName + " " + (phraseKey ? phraseKey : "(null)"));
    }
    void Draw() override { Note("Draw"); }
    const std::string& GetName() override { return m_name; }
    void SetName(const std::string& name) override {
        m_name = name;
        Note("SetName");
    }
    bool Update(const float& dt) override {
        lastDt = dt;
        Note("Update");
        return !finished;
    }
    void OnTop() override { Note("OnTop"); }
    void OnRemoved() override { Note("OnRemoved"); }
    void Destroy() override { Note("Destroy"); }
    void SetShown(bool shown) override { Note(shown ? "SetShown 1" : "SetShown 0"); }

    bool finished = false;
    float lastDt = -1.0f;

    static GF::THolder<GF::IScreen> Create() { return GF::THolder<GF::IScreen>(new CRecordingScreen); }
    static CRecordingScreen* Find(const std::string& name) {
        return static_cast<CRecordingScreen*>(GF::GetGameManager()->FindScreen(name).Get());
    }

private:
    void Note(const std::string& what) {
        if (journal) journal->push_back(m_name + ":" + what);
    }

    std::string m_name;
};
