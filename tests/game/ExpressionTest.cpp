#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "game/app/Expression.h"
#include "game/app/FlowRules.h"
#include "tests/support/RecordingEngine.h"

namespace {

CExpressionNode Number(float value) {
    CExpressionNode node;
    node.kind = 1;
    node.valueType = kNumberValue;
    node.number = value;
    return node;
}

CExpressionNode Text(const std::string& value) {
    CExpressionNode node;
    node.kind = 1;
    node.valueType = 0;
    node.text = value;
    return node;
}

CExpressionNode Var(int32_t id, int32_t type = kNumberValue) {
    CExpressionNode node;
    node.kind = 2;
    node.valueType = type;
    node.variable = id;
    return node;
}

CExpressionNode Op(int32_t kind, std::vector<CExpressionNode> children) {
    CExpressionNode node;
    node.kind = kind;
    node.valueType = kNumberValue;
    node.children = std::move(children);
    return node;
}

struct tagResult {
    int32_t type = 0;
    float number = 0.0f;
    std::string text;
};

tagResult Evaluate(const CExpressionNode& tree, CPlayerProfile& profile) {
    tagResult result;
    result.type = EvaluateExpressionNode(tree, profile, result.text, result.number);
    return result;
}

}  // namespace

TEST(FlowExpression, TreesGiveTheirValuesOperandsTakenFromTheLastChild) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        CExpressionNode tree;
        int32_t type;
        float number;
        std::string text;
    } cases[] = {
        {"sum", Op(3, {Number(2), Number(5)}), 1, 7.0f, ""},
        {"difference, operand 1 last", Op(4, {Number(2), Number(5)}), 1, 3.0f, ""},
        {"negation", Op(4, {Number(2)}), 1, -2.0f, ""},
        {"quotient", Op(6, {Number(4), Number(20), Number(40)}), 1, 0.5f, ""},
        {"less", Op(22, {Number(3), Number(1)}), 1, 1.0f, ""},
        {"greater chain broken", Op(23, {Number(3), Number(2), Number(1)}), 1, 0.0f, ""},
        {"choose 0", Op(26, {Number(30), Number(20), Number(10), Number(0)}), 1, 10.0f, ""},
        {"choose 1", Op(26, {Number(30), Number(20), Number(10), Number(1)}), 1, 20.0f, ""},
        {"choose a text", Op(26, {Text("x"), Text("y"), Number(1)}), 0, 0.0f, "x"},
        {"choose out of range", Op(26, {Number(30), Number(20), Number(5)}), 1, 0.0f, ""},
        {"choose below range", Op(26, {Number(30), Number(-1)}), 1, 0.0f, ""},
        {"minimum of operand 1 and the first child", Op(12, {Number(4), Number(9), Number(6)}), 1, 4.0f, ""},
        {"maximum", Op(13, {Number(4), Number(9), Number(6)}), 1, 6.0f, ""},
        {"concatenation", Op(3, {Text("b"), Text("a")}), 0, 0.0f, "ab"},
        {"equal texts", Op(14, {Text("ab"), Text("ab")}), 1, 1.0f, ""},
        {"different texts", Op(14, {Text("ab"), Text("abc")}), 1, 0.0f, ""},
        {"not equal texts", Op(21, {Text("a"), Text("b")}), 1, 1.0f, ""},
        {"a text operator that is not one", Op(5, {Text("a"), Text("b")}), 0, 0.0f, ""},
        {"number step over a text: 0.0 + 2", Op(3, {Number(2), Text("7")}), 1, 2.0f, ""},
        {"text step over a number: \"\" + x", Op(3, {Text("x"), Number(7)}), 0, 0.0f, "x"},
        {"remainder keeps the dividend's sign", Op(8, {Number(3), Number(-7.9f)}), 1, -1.0f, ""},
        {"remainder by zero", Op(8, {Number(0.5f), Number(7)}), 1, 0.0f, ""},
        {"smallest integer by -1", Op(8, {Number(-1), Number(-3e9f)}), 1, 0.0f, ""},
        {"1e12 saturates", Op(8, {Number(1000), Number(1e12f)}), 1, 647.0f, ""},
        {"NaN is 0", Op(8, {Number(5), Number(nan)}), 1, 0.0f, ""},
        {"choose by NaN picks the first", Op(26, {Number(20), Number(10), Number(nan)}), 1, 10.0f, ""},
        {"no operands", Op(3, {}), 1, 0.0f, ""},
        {"no operation", Op(17, {Number(3)}), 1, 0.0f, ""},
        {"and of all", Op(18, {Number(1), Number(2)}), 1, 1.0f, ""},
        {"or of none true", Op(16, {Number(0), Number(0)}), 1, 0.0f, ""},
        {"not", Op(15, {Number(0)}), 1, 1.0f, ""},
        {"absolute", Op(7, {Number(-2.5f)}), 1, 2.5f, ""},
    };
    for (const auto& c : cases) {
        CPlayerProfile profile;
        const tagResult result = Evaluate(c.tree, profile);
        EXPECT_EQ(result.type, c.type) << c.what;
        EXPECT_EQ(result.number, c.number) << c.what;
        EXPECT_EQ(result.text, c.text) << c.what;
    }
}

TEST(FlowExpression, EveryChildIsEvaluatedSoAssignmentsHappenInBothBranches) {
    CPlayerProfile profile;
    profile.floatVars[3] = 1.0f;
    // if v3 then (v7 := 20) else (v8 := 10): both assignments happen, the then-branch is the value.
    const CExpressionNode tree = Op(19, {Op(20, {Number(10), Var(8)}), Op(20, {Number(20), Var(7)}), Var(3)});
    EXPECT_EQ(Evaluate(tree, profile).number, 20.0f);
    EXPECT_EQ(profile.floatVars[7], 20.0f);
    EXPECT_EQ(profile.floatVars[8], 10.0f);
    profile.floatVars[3] = 0.0f;
    EXPECT_EQ(Evaluate(tree, profile).number, 10.0f);

    // An assignment stores into every other child's variable, a text into the string variables; an
    // absent variable read is created.
    const CExpressionNode texts = Op(20, {Text("hi"), Var(4, 0), Number(0)});
    const tagResult stored = Evaluate(texts, profile);
    EXPECT_EQ(stored.type, 0);
    EXPECT_EQ(stored.text, "hi");
    EXPECT_EQ(profile.stringVars[4], "hi");
    EXPECT_EQ(profile.stringVars[0], "hi");
    EXPECT_EQ(profile.floatVars.count(4), 0u);
    Evaluate(Op(3, {Var(11), Var(12, 0)}), profile);
    EXPECT_EQ(profile.floatVars.count(11), 1u);
    EXPECT_EQ(profile.stringVars.count(12), 1u);

    // The last child runs first: (v9 := 2) happens before the first child reads v9.
    profile.floatVars[9] = 0.0f;
    EXPECT_EQ(Evaluate(Op(3, {Var(9), Op(20, {Number(2), Var(9)})}), profile).number, 4.0f);

    EXPECT_TRUE(EvaluateExpression(Op(14, {Text("x"), Text("x")}), profile));
    EXPECT_FALSE(EvaluateExpression(Text("1"), profile));
}

// Trees that would make gigabytes of text: a string doubled thirty times, a long one read a hundred
// thousand times. A string made past the bound is made empty, a string within it is whole, and the
// log says so once an evaluation.
TEST(FlowExpression, TheStringsAnEvaluationMakesAreBounded) {
    CRecordingEngine engine;
    CPlayerProfile profile;
    auto doubling = [](int times) {
        std::vector<CExpressionNode> steps(static_cast<std::size_t>(times),
                                           Op(20, {Op(3, {Var(50, 0), Var(50, 0)}), Var(50, 0)}));
        steps.push_back(Op(20, {Text("ab"), Var(50, 0)}));  // the last child: the first to run
        return Op(0, std::move(steps));
    };
    Evaluate(doubling(15), profile);
    EXPECT_EQ(profile.stringVars[50].size(), kMaxExpressionText);
    EXPECT_EQ(profile.stringVars[50].substr(0, 6), "ababab");
    EXPECT_TRUE(engine.log.empty());

    Evaluate(doubling(30), profile);
    EXPECT_EQ(profile.stringVars[50], "");
    EXPECT_EQ(engine.log.size(), 1u);

    profile.stringVars[51] = std::string(kMaxExpressionText, 'x');
    const tagResult read = Evaluate(Op(3, std::vector<CExpressionNode>(100000, Var(51, 0))), profile);
    EXPECT_EQ(read.text, "");
    EXPECT_EQ(profile.stringVars[51].size(), kMaxExpressionText);
    ASSERT_EQ(engine.log.size(), 2u);
    EXPECT_TRUE(engine.HasLog("A flow expression's strings passed their bound"));
}
