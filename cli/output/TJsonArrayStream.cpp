#include "output/TJsonArrayStream.h"

#include <ostream>

namespace NCimHTTPCli {

namespace {

const int kIndent = 2;
// An element of the array stands two levels deep.
const std::string kElementBreak = "\n    ";

std::string Dumped(const TJson& value) { return value.dump(kIndent, ' ', false, TJson::error_handler_t::replace); }

}  // namespace

TJsonArrayStream::TJsonArrayStream(std::ostream& out, TJson head, std::string arrayName)
    : fOut(out), fHead(std::move(head)), fArrayName(std::move(arrayName)), fCount(0), fBegun(false) {}

// The head's own text without its closing "\n}", then the array's name.
void TJsonArrayStream::Begin() {
    const std::string head = Dumped(fHead);
    fOut << head.substr(0, head.size() - 2) << ",\n  " << Dumped(TJson(fArrayName)) << ": [";
    fBegun = true;
}

void TJsonArrayStream::Add(const TJson& element) {
    if (!fBegun) {
        Begin();
    }
    std::string text = Dumped(element);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + kElementBreak.size())) {
        text.replace(at, 1, kElementBreak);
    }
    fOut << (fCount++ ? "," : "") << kElementBreak << text;
}

void TJsonArrayStream::Finish() {
    if (!fBegun) {
        Begin();
    }
    fOut << (fCount ? "\n  ]" : "]") << "\n}\n";
}

}  // namespace NCimHTTPCli
