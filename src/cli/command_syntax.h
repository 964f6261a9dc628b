// How a command of skirvane-cli declares its command line: its operands and
// its options, each with what reads its value, on the command's CLI11
// subcommand, which parses the options.
//
// Before CLI11 reads them, arrange() puts the arguments in a form that it
// reads as skirvane-cli always has, where CLI11 2.1 by itself would not:
// "-o=OUT" (CLI11 reads "=OUT"), an empty value after "--name=" (CLI11 takes
// the next argument), "-5", "--" or "---x" where an option may stand (to
// CLI11 an operand or the end of the options, here an unknown option),
// "--help" after the first argument (here an unknown option or an operand),
// operands that look like options (set's NUMBER, find's TEXT), and operands
// such as "[a,b]" (CLI11 splits them in a list of operands).
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace cli {

// Why a value cannot be taken, in words (for a command line, those printed
// after "skirvane-cli COMMAND: "); nothing when it can.
using Problem = std::optional<std::string>;

// Reads an option's value into what the command asks for.
using Take = std::function<Problem(const std::string& value)>;

// A Take that keeps the value as given.
Take textInto(std::string& text);

// Where a command's operands stand among its arguments.
enum class OperandPlace {
    Anywhere,  // among the options, in any order
    First,     // before the options, whatever they look like; none after them
    Only,      // the command has no options: every argument is an operand
};

struct OperandRule {
    OperandPlace place;
    std::size_t least;
    std::size_t most;
    std::string_view problem;  // when there are fewer or more, or (First) an option stands first
};

constexpr std::size_t kAnyNumber = std::numeric_limits<std::size_t>::max();

// What an option says when it is given wrongly.
struct OptionRule {
    // Options of one slot exclude each other and are given at most once;
    // an option without a slot may repeat.
    std::string slot;
    std::string twice;    // when the slot is given again
    std::string missing;  // when the option has no value
};

class CommandSyntax {
public:
    explicit CommandSyntax(CLI::App& command);
    CommandSyntax(const CommandSyntax&) = delete;
    CommandSyntax& operator=(const CommandSyntax&) = delete;

    // The operands go to `into` in their order; `check` looks at them once
    // their number is right.
    void operands(const OperandRule& rule, std::vector<std::string>& into, std::function<Problem()> check = {});
    // "--name VALUE" or "--name=VALUE" (also "-o=VALUE"); `take` reads each
    // value as it comes.
    void option(const std::string& name, const OptionRule& rule, Take take);
    // "--name" alone (the rule's `missing` is not used).
    void flag(const std::string& name, const OptionRule& rule, std::function<void()> given);
    // Looks at the whole command line once it is read.
    void require(std::function<Problem()> check);

    // The arguments after the command's name as CLI11 is to read them: the
    // options with their values, each value an argument of its own. The
    // operands go straight to their list. The first problem found here is
    // kept, and CLI11 gets the options before it only, so that problems are
    // told in the order of the arguments.
    std::vector<std::string> arrange(Arguments arguments);

private:
    void arrangeOptions(Arguments arguments, std::size_t at, std::vector<std::string>& line);
    // Puts the option at arguments[at] on the line, its value (after "=",
    // or the next argument, whatever it looks like) as an argument of its
    // own; `at` moves past it. A problem when it cannot.
    Problem arrangeOption(Arguments arguments, std::size_t& at, std::vector<std::string>& line) const;
    Problem operandProblem() const;
    // Marks the rule's slot as given; a problem when it already was.
    void give(const OptionRule& rule);
    // After CLI11 has read the options: what is left to refuse.
    void finish();

    CLI::App& command_;
    OperandRule operandRule_{OperandPlace::Anywhere, 0, 0, {}};
    std::vector<std::string> noOperands_;
    std::vector<std::string>* operands_ = &noOperands_;
    std::function<Problem()> operandCheck_;
    std::vector<std::function<Problem()>> requirements_;
    std::map<const CLI::Option*, std::string> valueMissing_;  // the options that take a value
    std::vector<std::string> givenSlots_;
    Problem arrangeProblem_;
};

}  // namespace cli
