// Builds the seed corpora of the fuzz targets from the captured CIM-XML
// exchanges: each response as it went over the wire (fuzz_http), its body
// after the transport removed the framing (fuzz_decoder), and the
// datetimes, object paths and typed values the bodies hold (fuzz_datetime,
// fuzz_objectpath, fuzz_value).
//
//   fuzz-seeds OUTPUT_DIR

#include "CannedServer.h"
#include "Captures.h"
#include "HttpTransport.h"
#include "ResponseDecoder.h"
#include "ResultVisitor.h"
#include <Pegasus/Common/Exception.h>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

PEGASUS_USING_PEGASUS;

namespace
{
const uint8_t ARRAY_BIT = 0x80;

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class BodyCollector : public HttpBodySink
{
public:
    void onHead(const HttpResponse&) override {}
    void onBody(const char* data, size_t size) override { body.append(data, size); }
    std::string body;
};

// The body as the client's transport hands it on: framing removed, chunks
// joined; what arrived of a truncated one.
std::string bodyOf(const std::string& answer)
{
    CannedServer server(answer);
    const std::unique_ptr<HttpTransport> transport = makeAsioHttpTransport(server.takeClientSocket());
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
    BodyCollector collector;
    try
    {
        transport->open(HttpEndpoint{"capture", 5988, std::nullopt}, deadline);
        transport->exchange(HttpRequest{}, collector, deadline, Uint64(1) << 30);
    }
    catch (const Exception&)
    {
    }
    return collector.body;
}

// The texts the fuzz_datetime, fuzz_objectpath and fuzz_value targets
// read, each once.
class TextCollector : public ResultVisitor
{
public:
    void onValue(const CIMValue& value) override
    {
        if (value.isNull() || value.getType() == CIMTYPE_REFERENCE)
            return;
        const uint8_t typeByte = static_cast<uint8_t>(value.getType()) | (value.isArray() ? ARRAY_BIT : 0);
        values.insert(std::string(1, static_cast<char>(typeByte)) + elementsOf(value));
        if (value.getType() == CIMTYPE_DATETIME && !value.isArray())
            datetimes.insert(value.toString().str());
    }

    void onPath(const CIMObjectPath& path) override { paths.insert(path.toString().str()); }

    std::set<std::string> datetimes;
    std::set<std::string> paths;
    std::set<std::string> values;

private:
    // Array elements separated by NUL, the way fuzz_value splits them.
    static std::string elementsOf(const CIMValue& value)
    {
        std::string text = value.toString().str();
        if (value.isArray() && value.getType() != CIMTYPE_STRING)
            for (char& c : text)
                if (c == ' ')
                    c = '\0';
        return text;
    }
};

void collectTexts(const std::string& body, TextCollector& collector)
{
    ResponseDecoder decoder;
    decoder.feed(body.data(), body.size());
    try
    {
        decoder.finish();
    }
    catch (const CIMClientXmlException&)
    {
        return;
    }
    collector.visit(decoder.response());
}

std::string makeDirectory(const std::string& root, const std::string& target)
{
    const std::string directory = root + "/" + target;
    ::mkdir(directory.c_str(), 0755);
    return directory;
}

void writeSeeds(const std::string& directory, const std::set<std::string>& seeds)
{
    for (const std::string& seed : seeds)
    {
        std::ostringstream name;
        name << directory << "/" << std::hex << std::hash<std::string>()(seed);
        writeFile(name.str(), seed);
    }
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::cerr << "usage: fuzz-seeds OUTPUT_DIR\n";
        return 2;
    }
    const std::string root = argv[1];
    ::mkdir(root.c_str(), 0755);
    const std::string http = makeDirectory(root, "fuzz_http");
    const std::string decoder = makeDirectory(root, "fuzz_decoder");
    TextCollector texts;
    const std::vector<std::string> names = Captures::names();
    for (const std::string& name : names)
    {
        // A truncated capture goes as far as its cut.
        const std::string answer = Captures::response(name);
        writeFile(http + "/" + name, answer);
        const std::string body = bodyOf(answer);
        if (body.empty())
            continue;
        writeFile(decoder + "/" + name, body);
        collectTexts(body, texts);
    }
    writeSeeds(makeDirectory(root, "fuzz_datetime"), texts.datetimes);
    writeSeeds(makeDirectory(root, "fuzz_objectpath"), texts.paths);
    writeSeeds(makeDirectory(root, "fuzz_value"), texts.values);
    std::cout << names.size() << " captured responses from " << Captures::directory() << ": " << texts.datetimes.size()
              << " datetimes, " << texts.paths.size() << " paths, " << texts.values.size() << " values\n";
    return names.empty() ? 1 : 0;
}
