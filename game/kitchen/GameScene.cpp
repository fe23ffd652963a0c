#include "game/kitchen/GameScene.h"

namespace {

GF::THolder<GF::IScene>& GameScene() {
    static GF::THolder<GF::IScene> scene;
    return scene;
}

}  // namespace

GF::THolder<GF::IScene> GetGameScene() {
    return GameScene();
}

void SetGameScene(const GF::THolder<GF::IScene>& scene) {
    GameScene() = scene;
}
