#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/app/GameData.h"

// The parts of the screen-flow rules that need no screens: the comparisons, the conditions and the
// variable actions, over one player's game variables. The application runs the table with them.

// Comparison operations of a condition (the variable on the left): 0 ==, 1 !=, 2 <, 3 >, 4 <=, 5 >=.
// 7 separates or-groups. Any other operation never holds.
constexpr int32_t kFlowOrSeparator = 7;
// Action operations on a number variable: 0 assigns, 6 adds; others do nothing.
constexpr int32_t kFlowAssign = 0;
constexpr int32_t kFlowAdd = 6;
// A string action on this variable first tells the reporting screen to finish with the text.
constexpr int32_t kFlowFinishVariable = 25;

bool CompareNumbers(const float& variable, const float& operand, int operation);
// Byte by byte as unsigned characters; a prefix orders first.
bool CompareStrings(const std::string& variable, const std::string& operand, int operation);

// A condition or action whose expression root has children is an expression; else its own fields act.
bool IsFlowExpression(const CFlowCondition& record);

// Groups of and-ed conditions joined by or (7 starts a new group). An empty list, or an empty group,
// holds. A variable a condition reads is created even when its group already failed.
bool FlowConditionsHold(const std::vector<CFlowCondition>& conditions, CPlayerProfile& profile);

// One action on the profile's variables (an expression is evaluated for its assignments). Telling a
// screen to finish is the caller's part.
void ApplyFlowAction(const CFlowCondition& action, CPlayerProfile& profile);
