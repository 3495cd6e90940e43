// Evaluates a plug-in's enable condition (the 'enbl' property), the rule by
// which a host decides whether to offer the filter for a document, such as
// "in (PSHOP_ImageMode, RGBMode)".
//
// Understood: the variables PSHOP_ImageMode and PSHOP_ImageDepth; mode names
// (RGBMode, GrayScaleMode, CMYKMode, ...) and whole numbers; the forms
// `in (variable, value, ...)`, `variable == value`, `variable != value`;
// `!`, `&&`, `||`, parentheses, true and false.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The facts about a document that the condition may test.
struct EnableContext {
    int16_t imageMode = 0;  // plugInMode... value
    int32_t depth = 8;      // bits per sample
};

// Empty when the expression is malformed or uses something not understood;
// the caller then decides on the image-mode flags alone.
std::optional<bool> EvaluateEnableExpression(const std::string& expression,
                                             const EnableContext& context);

// The expression's name of an image mode ("RGBMode"), or an empty string.
std::string ImageModeName(int16_t imageMode);
