// The run-time error of the form runtime, and the helper that lets a routine skip a failing step.
#pragma once

#include <stdexcept>
#include <string>

namespace spindle {

// A failure inside a routine's step: an overflowing conversion, a text that is no number,
// a platform call the code treats as failing. Routines either skip the step or pass it on.
class RuntimeError : public std::runtime_error {
public:
    enum class Kind { Overflow, TypeMismatch, Platform };

    RuntimeError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Runs one step of a routine whose failing steps are skipped: the error is swallowed and
// the caller carries on with its next step. Returns whether the step completed.
template <typename Step>
bool RunStep(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace spindle
