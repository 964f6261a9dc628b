#include "cli/command_syntax.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace cli {

namespace {

// A command line the command cannot take; CLI11 ends the parse with it and
// the failure message prints it.
class UsageError : public CLI::ParseError {
public:
    explicit UsageError(const std::string& problem) : CLI::ParseError("UsageError", problem, WrongUsage) {}
};

void refuse(const Problem& problem) {
    if (problem) throw UsageError(*problem);
}

// An argument in the place of an option that is one, or else an unknown
// one: anything longer than "-" that starts with "-". (CLI11 would take
// "-5", "--" and "---x" for operands or for the end of the options.)
bool looksLikeOption(std::string_view argument) { return argument.size() > 1 && argument.front() == '-'; }

}  // namespace

Take textInto(std::string& text) {
    return [&text](const std::string& value) {
        text = value;
        return Problem();
    };
}

CommandSyntax::CommandSyntax(CLI::App& command) : command_(command) {
    command_.callback([this] { finish(); });
}

void CommandSyntax::operands(const OperandRule& rule, std::vector<std::string>& into, std::function<Problem()> check) {
    operandRule_ = rule;
    operands_ = &into;
    operandCheck_ = std::move(check);
}

void CommandSyntax::option(const std::string& name, const OptionRule& rule, Take take) {
    CLI::Option* option = command_.add_option_function<std::string>(name, [this, rule, take](const std::string& value) {
        give(rule);
        refuse(take(value));
    });
    // Each value as it comes, whole: a value in brackets is no list here.
    option->trigger_on_parse()->allow_extra_args(false);
    valueMissing_[option] = rule.missing;
}

void CommandSyntax::flag(const std::string& name, const OptionRule& rule, std::function<void()> given) {
    command_
        .add_flag_callback(name,
                           [this, rule, given] {
                               give(rule);
                               given();
                           })
        ->trigger_on_parse();
}

void CommandSyntax::require(std::function<Problem()> check) { requirements_.push_back(std::move(check)); }

void CommandSyntax::give(const OptionRule& rule) {
    if (rule.slot.empty()) return;
    if (std::find(givenSlots_.begin(), givenSlots_.end(), rule.slot) != givenSlots_.end()) refuse(rule.twice);
    givenSlots_.push_back(rule.slot);
}

std::vector<std::string> CommandSyntax::arrange(Arguments arguments) {
    if (!arguments.empty() && command_.get_help_ptr()->check_name(arguments[0])) return {arguments[0]};
    std::vector<std::string> line;
    std::size_t at = 0;
    if (operandRule_.place != OperandPlace::Anywhere) {
        at =
            operandRule_.place == OperandPlace::Only ? arguments.size() : std::min(operandRule_.most, arguments.size());
        operands_->assign(arguments.begin(), arguments.begin() + static_cast<std::ptrdiff_t>(at));
        if (operandRule_.place == OperandPlace::First && (arrangeProblem_ = operandProblem())) return line;
    }
    arrangeOptions(arguments, at, line);
    return line;
}

void CommandSyntax::arrangeOptions(Arguments arguments, std::size_t at, std::vector<std::string>& line) {
    for (; at < arguments.size() && !arrangeProblem_; ++at) {
        const std::string& argument = arguments[at];
        if (looksLikeOption(argument))
            arrangeProblem_ = arrangeOption(arguments, at, line);
        else if (operandRule_.place == OperandPlace::First)
            arrangeProblem_ = "unexpected argument " + argument;
        else
            operands_->push_back(argument);
    }
}

Problem CommandSyntax::arrangeOption(Arguments arguments, std::size_t& at, std::vector<std::string>& line) const {
    const std::string& argument = arguments[at];
    const std::size_t equals = argument.find('=');
    const bool valueGiven = equals != std::string::npos;
    const std::string name = argument.substr(0, equals);
    const CLI::Option* option = command_.get_option_no_throw(name);
    const auto missing = valueMissing_.find(option);
    const bool takesValue = missing != valueMissing_.end();
    if (option == nullptr || option == command_.get_help_ptr() || (valueGiven && !takesValue))
        return "unknown option " + argument;
    if (takesValue && !valueGiven && at + 1 == arguments.size()) return missing->second;
    line.push_back(name);
    if (takesValue) line.push_back(valueGiven ? argument.substr(equals + 1) : arguments[++at]);
    return std::nullopt;
}

Problem CommandSyntax::operandProblem() const {
    const std::vector<std::string>& operands = *operands_;
    const bool optionFirst =
        operandRule_.place == OperandPlace::First && !operands.empty() && looksLikeOption(operands.front());
    if (operands.size() < operandRule_.least || operands.size() > operandRule_.most || optionFirst)
        return std::string(operandRule_.problem);
    return operandCheck_ ? operandCheck_() : std::nullopt;
}

void CommandSyntax::finish() {
    refuse(arrangeProblem_);
    if (operandRule_.place != OperandPlace::First) refuse(operandProblem());
    for (const std::function<Problem()>& check : requirements_) refuse(check());
}

}  // namespace cli
