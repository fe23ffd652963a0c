#include "game/app/FlowRules.h"

#include <compare>

#include "game/app/Expression.h"

namespace {

template <class T>
bool Compare(const T& variable, const T& operand, int operation) {
    switch (operation) {
        case 0:
            return variable == operand;
        case 1:
            return variable != operand;
        case 2:
            return variable < operand;
        case 3:
            return variable > operand;
        case 4:
            return variable <= operand;
        case 5:
            return variable >= operand;
        default:
            return false;
    }
}

bool IsComparison(int32_t operation) {
    return operation >= 0 && operation <= 5;
}

}  // namespace

bool CompareNumbers(const float& variable, const float& operand, int operation) {
    return Compare(variable, operand, operation);
}

bool CompareStrings(const std::string& variable, const std::string& operand, int operation) {
    // std::string compares through char_traits<char>, which orders as unsigned char.
    return Compare(variable, operand, operation);
}

bool IsFlowExpression(const CFlowCondition& record) {
    return !record.expression.children.empty();
}

bool FlowConditionsHold(const std::vector<CFlowCondition>& conditions, CPlayerProfile& profile) {
    bool group = true;
    bool any = false;
    for (const CFlowCondition& condition : conditions) {
        if (IsFlowExpression(condition)) {
            if (group) group = EvaluateExpression(condition.expression, profile);
        } else if (condition.operation == kFlowOrSeparator) {
            any = any || group;
            group = true;
        } else if (condition.valueType == kNumberValue) {
            const float value = profile.floatVars[condition.variable];
            group = group && IsComparison(condition.operation) &&
                    CompareNumbers(value, condition.number, condition.operation);
        } else {
            const std::string value = profile.stringVars[condition.variable];
            group = group && IsComparison(condition.operation) &&
                    CompareStrings(value, condition.text, condition.operation);
        }
    }
    return group || any;
}

void ApplyFlowAction(const CFlowCondition& action, CPlayerProfile& profile) {
    if (IsFlowExpression(action)) {
        EvaluateExpression(action.expression, profile);
    } else if (action.valueType == kNumberValue) {
        if (action.operation == kFlowAssign) profile.floatVars[action.variable] = action.number;
        if (action.operation == kFlowAdd) profile.floatVars[action.variable] += action.number;
    } else {
        profile.stringVars[action.variable] = action.text;
    }
}
