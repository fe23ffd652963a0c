#pragma once
// The sounds and music tracks the game's code plays by name, beside those the data names (the sound
// keys, the bonuses, the devices): kept in one table, so that the content check can find each in the
// archive.

#include <array>

inline constexpr const char* kSoundIngredientFly = "ingredient_fly";
inline constexpr const char* kSoundRestaurantClosed = "restaurant_closed";
inline constexpr const char* kSoundWaiting = "waiting";
inline constexpr const char* kSoundMove = "action_move";
inline constexpr const char* kSoundUselessClick = "oops";
inline constexpr const char* kSoundOrderRoll = "action_roll";
inline constexpr const char* kSoundOvenStart = "mach_start_oven";
inline constexpr const char* kSoundDeviceDone = "bell";
inline constexpr const char* kSoundClientCome = "client_come";
inline constexpr const char* kSoundFaceIn = "face_fadein";
inline constexpr const char* kSoundFaceOut = "face_fadeout";
inline constexpr const char* kSoundCup = "level_place";
// The kitchen's countdown, one sound a step.
inline constexpr std::array<const char*, 4> kCountdownSounds = {"3", "2", "1", "go"};
inline constexpr const char* kMusicMainMenu = "music_main_menu";
inline constexpr const char* kMusicGameMenu = "music_game_menu";
// A stage's music is this and the stage's number.
inline constexpr const char* kStageMusicPrefix = "musik_";

inline constexpr std::array kCodeSoundNames = {
    kSoundIngredientFly, kSoundRestaurantClosed, kSoundWaiting,       kSoundMove,
    kSoundUselessClick,  kSoundOrderRoll,        kSoundOvenStart,     kSoundDeviceDone,
    kSoundClientCome,    kSoundFaceIn,           kSoundFaceOut,       kSoundCup,
    kCountdownSounds[0], kCountdownSounds[1],    kCountdownSounds[2], kCountdownSounds[3],
    kMusicMainMenu,      kMusicGameMenu};
