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
    const std::string text = Dumped(element);
    fOut << (fCount++ ? "," : "");
    std::size_t lineStart = 0;
    for (std::size_t lineEnd = text.find('\n'); lineEnd != std::string::npos; lineEnd = text.find('\n', lineStart)) {
        fOut << kElementBreak;
        fOut.write(text.data() + lineStart, static_cast<std::streamsize>(lineEnd - lineStart));
        lineStart = lineEnd + 1;
    }
    fOut << kElementBreak;
    fOut.write(text.data() + lineStart, static_cast<std::streamsize>(text.size() - lineStart));
}

void TJsonArrayStream::Finish() {
    if (!fBegun) {
        Begin();
    }
    fOut << (fCount ? "\n  ]" : "]") << "\n}\n";
}

}  // namespace NCimHTTPCli
