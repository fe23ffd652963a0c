#pragma once
#include <string>

// The current player's progress: a level's result with the rules for qualifying places, the stage
// standings, the values kept per stage and the name of the level to start. Stage and level names
// are looked up in the level data. Every change of stored progress ends with a save.

// Stores the place of the level just played (string variable 11; the place is float variable 5 modulo
// 100) when it qualifies in the player's stage and improves the stored one; float variable 19 tells
// the flow rules whether it qualified. Saves.
void StoreLevelResult();
// Records a full result for the level (first place, 250 points, the level's standing of the other
// participants) and stores it as StoreLevelResult does.
void GetLevelProgress(const std::string& levelName);

// The stage number of the current level; 0 when the level or its stage is unknown.
int GetCurrentStageNumber();
// 0 when no stage has that name.
int GetStageNumber(const std::string& stageName);
// The first stage in file order with that number; empty when none has it.
std::string GetStageName(int number);
// The player's place among the participants of the stage, ranked by their summed points over the
// player's levels of that stage (equal totals in ascending participant order); 0 when the player
// has no points there.
int CollectStageResults(const std::string& stageName);
// With true, keeps the player's unlocked dresses (the larger of float variable 15 and the record) and
// worn dress (3) in the current stage's record and saves; with false, brings them back.
void SyncStageProgress(bool store);
// The level to start: the level data's test level, else the level to play next (string variable
// 29), else string variable 12, else "stage<float 1>_<float 0>".
std::string GetStageSummaryName();
