#include "program/TCliError.h"

#include <algorithm>

namespace NCimHTTPCli {

namespace {

std::string OnOneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

TCliError::TCliError(EExitStatus status, const std::string& reason)
    : std::runtime_error(OnOneLine(reason)), fStatus(status) {}

std::string TCliError::OneLine() const { return ExitStatusName(fStatus) + ": " + what(); }

}  // namespace NCimHTTPCli
