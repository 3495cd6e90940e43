#include "app/enable_expression.h"

#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

// Indexed by the plugInMode... value.
constexpr const char* kModeNames[] = {
    "BitmapMode",    "GrayScaleMode", "IndexedColorMode", "RGBMode",     "CMYKMode",
    "HSLMode",       "HSBMode",       "MultichannelMode", "DuotoneMode", "LabMode",
    "Gray16Mode",    "RGB48Mode",     "Lab48Mode",        "CMYK64Mode",  "DeepMultichannelMode",
    "Duotone16Mode", "RGB96Mode",     "Gray32Mode",
};

constexpr char kModeVariable[] = "PSHOP_ImageMode";
constexpr char kDepthVariable[] = "PSHOP_ImageDepth";

enum class TokenKind { kName, kNumber, kSymbol, kEnd };

struct Token {
    TokenKind kind;
    std::string text;
};

bool Tokenize(const std::string& text, std::vector<Token>* tokens) {
    std::size_t at = 0;
    while (at < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (std::isspace(c)) {
            ++at;
        } else if (std::isalpha(c) || c == '_') {
            const std::size_t start = at;
            while (at < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_')) {
                ++at;
            }
            tokens->push_back({TokenKind::kName, text.substr(start, at - start)});
        } else if (std::isdigit(c)) {
            const std::size_t start = at;
            while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
            tokens->push_back({TokenKind::kNumber, text.substr(start, at - start)});
        } else {
            const std::string two = text.substr(at, 2);
            if (two == "&&" || two == "||" || two == "==" || two == "!=") {
                tokens->push_back({TokenKind::kSymbol, two});
                at += 2;
            } else if (c == '(' || c == ')' || c == ',' || c == '!') {
                tokens->push_back({TokenKind::kSymbol, std::string(1, static_cast<char>(c))});
                ++at;
            } else {
                return false;
            }
        }
    }
    tokens->push_back({TokenKind::kEnd, ""});
    return true;
}

// Recursive descent over the tokens; any construct not understood sets ok_ to false.
class Evaluator {
public:
    Evaluator(const std::vector<Token>& tokens, const EnableContext& context)
        : tokens_(tokens), context_(context) {}

    std::optional<bool> Run() {
        const bool value = Or();
        if (!ok_ || Peek().kind != TokenKind::kEnd) return std::nullopt;
        return value;
    }

private:
    const Token& Peek() const { return tokens_[position_]; }
    const Token& Next() {
        const Token& token = tokens_[position_];
        if (token.kind != TokenKind::kEnd) ++position_;
        return token;
    }
    bool Accept(const char* symbol) {
        if (Peek().kind == TokenKind::kSymbol && Peek().text == symbol) {
            ++position_;
            return true;
        }
        return false;
    }
    void Expect(const char* symbol) {
        if (!Accept(symbol)) ok_ = false;
    }

    bool Or() {
        bool value = And();
        while (ok_ && Accept("||")) value = And() || value;
        return value;
    }

    bool And() {
        bool value = Unary();
        while (ok_ && Accept("&&")) value = Unary() && value;
        return value;
    }

    bool Unary() {
        if (Accept("!")) return !Unary();
        return Primary();
    }

    bool Primary() {
        if (Accept("(")) {
            const bool value = Or();
            Expect(")");
            return value;
        }
        const Token& token = Next();
        if (token.kind != TokenKind::kName) {
            ok_ = false;
            return false;
        }
        if (token.text == "true") return true;
        if (token.text == "false") return false;
        if (token.text == "in") return InList();
        // variable == value, variable != value
        const std::string& variable = token.text;
        const bool equal = Accept("==");
        if (!equal && !Accept("!=")) {
            ok_ = false;
            return false;
        }
        const bool matches = Matches(variable, Next());
        return equal ? matches : !matches;
    }

    bool InList() {
        Expect("(");
        const Token& variable = Next();
        bool any = false;
        while (ok_ && Accept(",")) any = Matches(variable.text, Next()) || any;
        Expect(")");
        return any;
    }

    // Whether the variable's value for this document equals the token.
    bool Matches(const std::string& variable, const Token& value) {
        if (variable == kModeVariable && value.kind == TokenKind::kName) {
            if (!IsModeName(value.text)) ok_ = false;
            return value.text == ImageModeName(context_.imageMode);
        }
        if (variable == kDepthVariable && value.kind == TokenKind::kNumber) {
            return std::strtol(value.text.c_str(), nullptr, 10) == context_.depth;
        }
        ok_ = false;
        return false;
    }

    static bool IsModeName(const std::string& name) {
        for (const char* known : kModeNames) {
            if (name == known) return true;
        }
        return false;
    }

    const std::vector<Token>& tokens_;
    const EnableContext& context_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

}  // namespace

std::string ImageModeName(int16_t imageMode) {
    constexpr int16_t kModeCount = static_cast<int16_t>(sizeof(kModeNames) / sizeof(kModeNames[0]));
    if (imageMode < 0 || imageMode >= kModeCount) return "";
    return kModeNames[imageMode];
}

std::optional<bool> EvaluateEnableExpression(const std::string& expression,
                                             const EnableContext& context) {
    std::vector<Token> tokens;
    if (!Tokenize(expression, &tokens)) return std::nullopt;
    return Evaluator(tokens, context).Run();
}
