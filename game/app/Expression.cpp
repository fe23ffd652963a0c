#include "game/app/Expression.h"

#include <cmath>
#include <limits>

#include "game/app/GameLog.h"
#include "game/app/TruncateToInt.h"

namespace {

enum EKind : int32_t {
    kValue = 0,
    kConstant = 1,
    kVariable = 2,
    kAdd = 3,
    kSubtract = 4,
    kMultiply = 5,
    kDivide = 6,
    kAbsolute = 7,
    kRemainder = 8,
    kMinimum = 12,
    kMaximum = 13,
    kEqual = 14,
    kNot = 15,
    kOr = 16,
    kAnd = 18,
    kConditional = 19,
    kAssign = 20,
    kNotEqual = 21,
    kLess = 22,
    kGreater = 23,
    kLessOrEqual = 24,
    kGreaterOrEqual = 25,
    kChoose = 26,
};

// The strings one evaluation makes: constants and variables read, concatenations and the copies an
// assignment stores. A tree that doubles a string thirty times, or reads a long one a million times,
// would otherwise take gigabytes and write them into the player's settings.
struct tagTextBudget {
    std::size_t left = kExpressionTextBudget;
    bool spent = false;  // a string was made empty for the bound

    // Whether a string of this size may still be made; the budget pays for it if so.
    bool Allows(std::size_t size) {
        if (size <= kMaxExpressionText && size <= left) {
            left -= size;
            return true;
        }
        spent = true;
        return false;
    }
    // The text made, kept whole or made empty.
    void Keep(std::string& text) {
        if (!Allows(text.size())) std::string().swap(text);
    }
};

struct tagValue {
    int32_t type = kNumberValue;
    float number = 0.0f;
    std::string text;
};

// Operand i (from 0) of a node whose children are given in child order: the last child first.
template <class T>
const T& Operand(const std::vector<T>& children, std::size_t i) {
    return children[children.size() - 1 - i];
}

float Truth(bool value, bool& truth) {
    truth = true;
    return value ? 1.0f : 0.0f;
}

// Every operand after the first stands in the relation to the one before it.
template <class T, class Relation>
bool Chain(const std::vector<T>& children, Relation relation) {
    for (std::size_t i = 1; i < children.size(); ++i)
        if (!relation(Operand(children, i - 1), Operand(children, i))) return false;
    return true;
}

// Every operand after the first stands in the relation to the first.
template <class T, class Relation>
bool AgainstFirst(const std::vector<T>& children, Relation relation) {
    for (std::size_t i = 1; i < children.size(); ++i)
        if (!relation(Operand(children, 0), Operand(children, i))) return false;
    return true;
}

float Remainder(const std::vector<float>& children) {
    int32_t a = TruncateToInt(Operand(children, 0));
    for (std::size_t i = 1; i < children.size(); ++i) {
        const int32_t b = TruncateToInt(Operand(children, i));
        // Both would trap: a zero divisor, and the one quotient that does not fit.
        if (b == 0 || (b == -1 && a == std::numeric_limits<int32_t>::min())) return 0.0f;
        a %= b;
    }
    return static_cast<float>(a);
}

tagValue Evaluate(const CExpressionNode& node, CPlayerProfile& profile, tagTextBudget& budget);

// The value of the operand the selector picks: operand k + 2 for selector k.
tagValue Choose(const std::vector<tagValue>& children) {
    const int32_t k = TruncateToInt(Operand(children, 0).number);
    if (k < 0 || static_cast<std::size_t>(k) + 1 >= children.size()) return {};
    return Operand(children, static_cast<std::size_t>(k) + 1);
}

tagValue Conditional(const std::vector<tagValue>& children) {
    if (children.back().number != 0.0f) return children.size() >= 2 ? children[1] : tagValue{};
    return children.front();
}

tagValue Assign(const CExpressionNode& node, const std::vector<tagValue>& children, CPlayerProfile& profile,
                tagTextBudget& budget) {
    const tagValue& value = children.front();
    for (std::size_t i = 1; i < node.children.size(); ++i) {
        const int32_t id = node.children[i].variable;
        if (value.type == kNumberValue) {
            profile.floatVars[id] = value.number;
        } else {
            std::string& stored = profile.stringVars[id];
            stored = value.text;
            budget.Keep(stored);
        }
    }
    return value;
}

tagValue Evaluate(const CExpressionNode& node, CPlayerProfile& profile, tagTextBudget& budget) {
    tagValue result;
    result.type = node.valueType;
    if (node.kind == kConstant || node.kind == kVariable) {
        const bool variable = node.kind == kVariable;
        if (node.valueType == kNumberValue) {
            result.number = variable ? profile.floatVars[node.variable] : node.number;
        } else {
            const std::string& text = variable ? profile.stringVars[node.variable] : node.text;
            if (budget.Allows(text.size())) result.text = text;
        }
        return result;
    }
    const std::size_t count = node.children.size();
    std::vector<tagValue> children(count);
    for (std::size_t i = count; i-- > 0;) children[i] = Evaluate(node.children[i], profile, budget);
    if (children.empty()) return {};

    if (node.kind == kChoose) return Choose(children);
    if (node.kind == kAssign) return Assign(node, children, profile, budget);
    if (node.kind == kConditional) return Conditional(children);

    bool truth = false;
    result = {};
    result.type = children.front().type;
    if (result.type == kNumberValue) {
        std::vector<float> numbers;
        numbers.reserve(count);
        for (const tagValue& child : children) numbers.push_back(child.number);
        result.number = EvaluateNumberExpression(node, numbers, truth);
    } else {
        std::vector<std::string> texts;
        texts.reserve(count);
        for (tagValue& child : children) texts.push_back(std::move(child.text));
        result.number = EvaluateStringExpression(node, texts, result.text, truth);
        if (node.kind != kValue) budget.Keep(result.text);  // a value's text was paid for already
    }
    if (truth) {
        result.type = kNumberValue;
        result.text.clear();
    }
    return result;
}

}  // namespace

float EvaluateNumberExpression(const CExpressionNode& node, const std::vector<float>& children, bool& truth) {
    truth = false;
    if (children.empty()) return 0.0f;
    const std::size_t count = children.size();
    const float first = Operand(children, 0);
    const float last = Operand(children, count - 1);
    switch (node.kind) {
        case kValue:
            return children.front();
        case kAdd: {
            float sum = 0.0f;
            for (std::size_t i = 0; i < count; ++i) sum += Operand(children, i);
            return sum;
        }
        case kSubtract: {
            if (count == 1) return -first;
            float difference = first;
            for (std::size_t i = 1; i < count; ++i) difference -= Operand(children, i);
            return difference;
        }
        case kMultiply: {
            float product = 1.0f;
            for (std::size_t i = 0; i < count; ++i) product *= Operand(children, i);
            return product;
        }
        case kDivide: {
            float quotient = first;
            for (std::size_t i = 1; i < count; ++i) quotient /= Operand(children, i);
            return quotient;
        }
        case kAbsolute:
            return std::fabs(children.front());
        case kRemainder:
            return Remainder(children);
        case kMinimum:
            return last < first ? last : first;
        case kMaximum:
            return last > first ? last : first;
        case kEqual:
            return Truth(AgainstFirst(children, [](float a, float b) { return a == b; }), truth);
        case kNot:
            return Truth(children.front() == 0.0f, truth);
        case kOr: {
            bool any = false;
            for (float value : children) any = any || value != 0.0f;
            return Truth(any, truth);
        }
        case kAnd: {
            bool all = true;
            for (float value : children) all = all && value != 0.0f;
            return Truth(all, truth);
        }
        case kNotEqual:
            return Truth(AgainstFirst(children, [](float a, float b) { return a != b; }), truth);
        case kLess:
            return Truth(Chain(children, [](float a, float b) { return a < b; }), truth);
        case kGreater:
            return Truth(Chain(children, [](float a, float b) { return a > b; }), truth);
        case kLessOrEqual:
            return Truth(Chain(children, [](float a, float b) { return a <= b; }), truth);
        case kGreaterOrEqual:
            return Truth(Chain(children, [](float a, float b) { return a >= b; }), truth);
        default:
            return 0.0f;
    }
}

float EvaluateStringExpression(const CExpressionNode& node, const std::vector<std::string>& children,
                               std::string& text, bool& truth) {
    truth = false;
    text.clear();
    if (children.empty()) return 0.0f;
    switch (node.kind) {
        case kValue:
            text = children.front();
            return 0.0f;
        case kAdd:
            for (std::size_t i = 0; i < children.size(); ++i) text += Operand(children, i);
            return 0.0f;
        case kEqual:
            return Truth(
                AgainstFirst(children, [](const std::string& a, const std::string& b) { return a == b; }),
                truth);
        case kNotEqual:
            return Truth(
                AgainstFirst(children, [](const std::string& a, const std::string& b) { return a != b; }),
                truth);
        default:
            return 0.0f;
    }
}

namespace {

tagValue EvaluateWithinBound(const CExpressionNode& root, CPlayerProfile& profile) {
    tagTextBudget budget;
    tagValue value = Evaluate(root, profile, budget);
    if (budget.spent) {
        GameLog(
            "A flow expression's strings passed their bound (%zu bytes a string, %zu in all): "
            "those past it were made empty",
            kMaxExpressionText, kExpressionTextBudget);
    }
    return value;
}

}  // namespace

int32_t EvaluateExpressionNode(const CExpressionNode& node, CPlayerProfile& profile, std::string& text,
                               float& number) {
    tagValue value = EvaluateWithinBound(node, profile);
    text = std::move(value.text);
    number = value.number;
    return value.type;
}

bool EvaluateExpression(const CExpressionNode& root, CPlayerProfile& profile) {
    const tagValue value = EvaluateWithinBound(root, profile);
    return value.type == kNumberValue && value.number != 0.0f;
}
