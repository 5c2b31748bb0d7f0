#include "session/TProgressLine.h"

#include <cstdio>

#include <unistd.h>

#include "client/PegClient.h"
#include "session/TPluginLog.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

namespace {

using Clock = std::chrono::steady_clock;

const std::chrono::milliseconds kRedrawInterval(100);
// Back to the start of the line and everything on it wiped.
const char* const kWipe = "\r\033[K";

std::string Megabytes(Pegasus::Uint64 bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

}  // namespace

TProgressLine::TProgressLine(const TPluginSession& session, const std::string& what)
    : fWhat(what), fLastShown(), fStage(kNotStarted), fShown(false), fActive(true) {
    if (!isatty(STDERR_FILENO) || TPluginLog::IsOnStderr()) {
        return;
    }
    const std::vector<TNode> nodes = session.Nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        Pegasus::CIMClient* client = nodes[i].fClient->GetPegclient();
        const std::string prefix = "node " + std::to_string(i + 1) + " of " + std::to_string(nodes.size()) + ": ";
        client->setProgressCallback([this, i, prefix](const Pegasus::CIMClient::ResponseProgress& progress) {
            Show(prefix + Megabytes(progress.bodyBytes) + ", " + std::to_string(progress.results) + " " + fWhat +
                     " received",
                 i + 1 != fStage);
            fStage = i + 1;
        });
        fClients.push_back(client);
    }
}

TProgressLine::~TProgressLine() {
    for (Pegasus::CIMClient* client : fClients) {
        client->setProgressCallback(Pegasus::CIMClient::ProgressCallback());
    }
    Wipe();
}

void TProgressLine::Converted(std::size_t count) {
    if (fClients.empty() || !fActive) {
        return;
    }
    if (isatty(STDOUT_FILENO)) {
        Wipe();
        fActive = false;
        return;
    }
    Show(std::to_string(count) + " " + fWhat + " converted", fStage != kConverting);
    fStage = kConverting;
}

void TProgressLine::Wipe() {
    if (fShown) {
        std::fputs(kWipe, stderr);
        std::fflush(stderr);
        fShown = false;
    }
}

void TProgressLine::Show(const std::string& text, bool stageBegins) {
    const Clock::time_point now = Clock::now();
    if (!fActive || (!stageBegins && now - fLastShown < kRedrawInterval)) {
        return;
    }
    std::fprintf(stderr, "%s%s", kWipe, text.c_str());
    std::fflush(stderr);
    fLastShown = now;
    fShown = true;
}

}  // namespace NCimHTTPCli
