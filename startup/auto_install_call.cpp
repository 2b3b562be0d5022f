#include "startup/auto_install_call.h"

namespace mw {
namespace {

struct StepWord {
    const char* word;
    CallSteps steps;
};

// A series shares the answer given at its first call.
constexpr StepWord kStepWords[] = {
    {"\\Start", {.asks = true, .storesAnswer = true}},
    {"\\Run", {.readsContinue = true}},
    {"\\End", {.readsContinue = true, .reportsSuccess = true}},
};

std::optional<CallSteps> StepsFor(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 4)
        return kSingleCall;
    for (const StepWord& step : kStepWords)
        if (arguments[3] == step.word)
            return step.steps;
    return std::nullopt;
}

}  // namespace

std::optional<AutoInstallCall> ReadAutoInstallCall(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 2 || arguments[0] != "\\1wad")
        return std::nullopt;
    const std::optional<CallSteps> steps = StepsFor(arguments);
    if (!steps)
        return std::nullopt;

    AutoInstallCall call;
    call.steps = *steps;
    call.archiveBelowGp4 = arguments[1];
    if (arguments.size() > 2)
        call.sourceBelowUpdateFolder = arguments[2];
    return call;
}

}  // namespace mw
