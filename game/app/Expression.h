#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/app/GameData.h"

// The flow expressions: trees read from the game data, evaluated over a player's game variables.
// A node's operands are its children from the last to the first (operand 1 is the last child).
// Every child is evaluated, the last first, before its node acts: assignments in both branches of a
// conditional and in every operand of "and" and "or" take place. Nodes that need operands they do
// not have give 0.0. The reader bounds the depth of a tree, so the recursion is bounded too.

// Value types: 1 is a number, anything else a string.
constexpr int32_t kNumberValue = 1;

// The strings an evaluation makes (read, joined or stored): a string longer than kMaxExpressionText,
// or one past kExpressionTextBudget bytes made in all, is made empty instead, and the log says so once.
constexpr std::size_t kMaxExpressionText = std::size_t{64} << 10;
constexpr std::size_t kExpressionTextBudget = std::size_t{1} << 20;

// Evaluates the tree for the profile; the payload of the answered type goes into text or number
// (the other one is left empty or 0.0).
int32_t EvaluateExpressionNode(const CExpressionNode& node, CPlayerProfile& profile, std::string& text,
                               float& number);

// True when the tree gives a number other than 0.0.
bool EvaluateExpression(const CExpressionNode& root, CPlayerProfile& profile);

// The operator steps over the children's payloads, in child order. truth is set when the answer is a
// truth (1.0 or 0.0, answered as the number) rather than a value of the operands' type. The string
// step leaves its text in text.
float EvaluateNumberExpression(const CExpressionNode& node, const std::vector<float>& children, bool& truth);
float EvaluateStringExpression(const CExpressionNode& node, const std::vector<std::string>& children,
                               std::string& text, bool& truth);
