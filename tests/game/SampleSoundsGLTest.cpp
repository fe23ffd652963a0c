#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "framework/app/GameSound.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Resource.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/app/SoundNames.h"
#include "tests/support/LevelRun.h"

namespace {

// Where each name was asked for, for the failure message.
using TAsked = std::map<std::string, std::set<std::string>>;

// The sound and music names the program's own code plays by name, from the tables it keeps them in.
void AskedInCode(TAsked& asked) {
    for (const char* name : kCodeSoundNames) asked[name].insert("the game's code");
    for (const char* name : {GF::HGENS::kDialogClickSound, GF::HGENS::kDialogHoverSound})
        asked[name].insert("the framework's dialogs");
}

}  // namespace

// Every sound and music track the sample game can ask for is in the built archive, found the way the
// game finds it: the game data's sound keys, each stage's music, the bonuses' and the devices' sounds,
// the names the code plays, and the sound numbers of the resource script's sound objects.
TEST(SampleSounds, EveryNameTheGameAsksForIsInTheArchive) {
    TAsked asked;
    AskedInCode(asked);
    std::set<std::string> missing;
    CLevelRun run;
    const int code = run.Run([&](CLevelRun&) {
        for (const auto& [key, sound] : GetGameData().sounds)
            asked[sound.name].insert("sound key " + std::to_string(key));
        CLevelsData& levels = GetLevelsData();
        for (const std::string& stage : levels.StageOrder())
            asked[kStageMusicPrefix + std::to_string(levels.GetStage(stage).Number)].insert(stage);
        for (const auto& [kind, bonus] : levels.Bonuses)
            asked[bonus.Name].insert("bonus " + std::to_string(kind));
        for (const auto& [name, object] : GetLibData().Ingridients) {
            if (object.Label2.empty()) continue;
            asked[object.Label2].insert(name);
            // The microwave starts with a sound of its own, its working sound's name with a "1".
            if (name == "Devices.micro_wave") asked[object.Label2 + "1"].insert(name);
        }
        const GF::THolder<GF::IResource> resource = GF::GetResource();
        for (const auto& [name, where] : asked) {
            if (name.empty() || resource->LoadSound(name)->GetHandle() != 0) continue;
            std::string line = name + " (asked by";
            for (const std::string& w : where) line += " " + w;
            missing.insert(line + ")");
        }
        int soundObjects = 0;
        for (const std::string& module : resource->GetModuleNames()) {
            for (const std::string& name : resource->GetAnimationDataNames(module)) {
                const GF::THolder<GF::IAnimationData> data = resource->GetAnimationData(module, name);
                for (int i = 0; data && i < data->GetObjectDataCount(); ++i) {
                    const GF::THolder<GF::IObjectData> object = data->GetObjectData(i);
                    if (!dynamic_cast<GF::ISoundObjectData*>(object.Get())) continue;
                    ++soundObjects;
                    for (const auto& key : *object->GetIDResource()) {
                        const int number = key.value & 0xFFFF;
                        if (key.value >= 0 && resource->GetSound(number)->GetHandle() == 0)
                            missing.insert("sound " + std::to_string(number) + " (" + module + "." + name +
                                           ")");
                    }
                }
            }
        }
        EXPECT_GE(soundObjects, 1);  // the splash's chime
        return false;
    });
    ASSERT_EQ(code, 0);
    EXPECT_GE(asked.size(), 40u);
    std::string list;
    for (const std::string& line : missing) list += "\n  " + line;
    EXPECT_TRUE(missing.empty()) << "not in the archive:" << list;
}
