#pragma once
// What every lumora-cli command shares: exit codes, argument scanning,
// messages on stderr and a little JSON.
#include <optional>
#include <string>
#include <vector>

#include "core/layout/geometry.h"
#include "core/platform/services.h"

namespace lumora::cli {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Arguments after the command name: options (--name or --name value) and
// positional words, in order.
class Arguments {
public:
    Arguments(std::vector<std::string> words) : words_(std::move(words)) {}

    // Removes a flag such as --json; true when it was there.
    bool TakeFlag(const std::string& name);
    // Removes --name VALUE; nullopt when absent. `missingValue` is set when
    // the option was given without a value.
    std::optional<std::string> TakeOption(const std::string& name, bool& missingValue);
    // Whatever is left that starts with "--" (unknown options).
    std::optional<std::string> FirstUnknownOption() const;
    const std::vector<std::string>& Positionals() const { return words_; }

private:
    std::vector<std::string> words_;
};

// Prints the program's message boxes on stderr, one line each.
class StderrReporter final : public ErrorReporter {
public:
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
};

// "lumora-cli: <message>" on stderr; returns `code` so that callers can
// `return Fail(...)`.
int Fail(int code, const std::string& message);

// "done/total" on stderr, on one line that ends with the last; only on a
// terminal, so that scripts read nothing but the messages.
void ShowCountOnTerminal(int done, int total);

// `text` as a JSON string: valid UTF-8 goes through, control characters are
// escaped, and every byte that is not UTF-8 becomes \udcXX (the byte 0xXX
// behind a lone low surrogate), so that the output is always valid JSON and
// the original bytes can be recovered.
std::string JsonString(const std::string& text);

// True when `path` ends with `.ext`, compared without regard to case.
bool HasExtension(const std::string& path, const std::string& ext);

// A size written WIDTHxHEIGHT (or WIDTHXHEIGHT): two whole decimal numbers
// above zero and nothing else; nothing for any other text.
std::optional<Size> ParseSize(const std::string& text);

}  // namespace lumora::cli
