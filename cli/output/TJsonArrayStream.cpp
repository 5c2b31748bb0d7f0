#include "output/TJsonArrayStream.h"

#include <ostream>

namespace NCimHTTPCli {

namespace {

const int kIndent = 2;
const int kCompact = -1;
// An element of the array stands two levels deep.
const char* const kElementBreak = "\n    ";

std::string Dumped(const TJson& value, int indent) {
    return value.dump(indent, ' ', false, TJson::error_handler_t::replace);
}

}  // namespace

TJsonArrayStream::TJsonArrayStream(std::ostream& out, TJson head, std::string arrayName)
    : fOut(out), fHead(std::move(head)), fArrayName(std::move(arrayName)), fCount(0), fBegun(false) {}

// The head's own text without its closing "\n}", then the array's name.
void TJsonArrayStream::Begin() {
    const std::string head = Dumped(fHead, kIndent);
    fOut << head.substr(0, head.size() - 2) << ",\n  " << Dumped(TJson(fArrayName), kIndent) << ": [";
    fBegun = true;
}

void TJsonArrayStream::Add(const TJson& element) {
    if (!fBegun) {
        Begin();
    }
    fOut << (fCount++ ? "," : "") << kElementBreak << Dumped(element, kCompact);
}

void TJsonArrayStream::Finish() {
    if (!fBegun) {
        Begin();
    }
    fOut << (fCount ? "\n  ]" : "]") << "\n}\n";
}

}  // namespace NCimHTTPCli
