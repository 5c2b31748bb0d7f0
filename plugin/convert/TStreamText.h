#ifndef CIMHTTP_CONVERT_TSTREAMTEXT_H
#define CIMHTTP_CONVERT_TSTREAMTEXT_H

#include <optional>
#include <sstream>
#include <string>

namespace NVORNQEL20 {

// The text that a value's stream output (operator<<) writes, all values
// through one stream, made on first use: making a stream costs more than
// writing a short text into it. A caller that converts many values keeps
// one for all of them.
class TStreamText {
public:
    template <typename T>
    std::string operator()(const T& value)
    {
        if (!fStream)
            fStream.emplace();
        fStream->str(std::string());
        fStream->clear();
        *fStream << value;
        return fStream->str();
    }

private:
    std::optional<std::ostringstream> fStream;
};

}  // namespace NVORNQEL20

#endif
