#ifndef CIMHTTP_CLI_OUTPUT_TJSONARRAYSTREAM_H
#define CIMHTTP_CLI_OUTPUT_TJSONARRAYSTREAM_H

#include <cstddef>
#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

#include "output/Json.h"

namespace NCimHTTPCli {

// One JSON document written as it comes: an object whose last member is an
// array of elements added one by one, so that a long answer never has to be
// held at once. Laid out as WriteJson lays out a document, except that each
// element of the array takes one line of its own. Nothing is written before
// the first element or Finish.
class TJsonArrayStream {
public:
    // `head`: the members before the array (an object with at least one).
    TJsonArrayStream(std::ostream& out, TJson head, std::string arrayName);

    void Add(const TJson& element);
    void Finish();

private:
    void Begin();

    std::ostream& fOut;
    TJson fHead;
    std::string fArrayName;
    std::size_t fCount;
    bool fBegun;
};

}  // namespace NCimHTTPCli

#endif
