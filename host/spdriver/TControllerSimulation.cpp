#include <qel/TControllerSimulation.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace NVORNQEL20 {

namespace {

const unsigned char kFirmwareNetFunction = 0x3A;
const unsigned char kFirmwareVersionCommand = 0x50;
const unsigned char kInvalidCommand = 0xC1;
const unsigned char kResponderAddress = 0x20;
const unsigned char kFirmwareVersion[] = {1, 0, 0, 0};
const int kRequestLength = 6;
const int kHeaderLength = 5;  // header bytes 0..3 and the completion code
const int kBuildIdOffset = 9;
const int kBuildIdLength = 4;
const int kFirmwareAnswerLength = kBuildIdOffset + kBuildIdLength;

struct TState {
    int fNodeCount = 1;
    std::map<int, int> fControllerIndexes;
    bool fLibraryMissing = false;
    bool fSendFailing = false;
    unsigned char fCompletionCode = 0;
    std::string fBuildId = "GKWE";
};

std::mutex& StateMutex() {
    static std::mutex mutex;
    return mutex;
}

TState& State() {
    static TState state;
    return state;
}

bool IsFirmwareVersionRequest(const unsigned char* buffer, int length) {
    return length >= kRequestLength && buffer[2] == kFirmwareNetFunction && buffer[4] == kFirmwareVersionCommand;
}

// Only a successful firmware-version answer carries data after the completion code.
int AnswerLength(bool firmwareRequest, const TState& state) {
    return firmwareRequest && state.fCompletionCode == 0 ? kFirmwareAnswerLength : kHeaderLength;
}

// Writes the answer of that length over the request.
void WriteAnswer(unsigned char* buffer, int answerLength, bool firmwareRequest, const TState& state) {
    buffer[1] = kResponderAddress;
    buffer[2] = static_cast<unsigned char>(buffer[2] | 1);
    buffer[4] = firmwareRequest ? state.fCompletionCode : kInvalidCommand;
    if (answerLength == kFirmwareAnswerLength) {
        std::copy(kFirmwareVersion, kFirmwareVersion + sizeof kFirmwareVersion, buffer + kHeaderLength);
        std::copy(state.fBuildId.begin(), state.fBuildId.end(), buffer + kBuildIdOffset);
    }
}

}  // namespace

void TControllerSimulation::Reset() {
    std::lock_guard<std::mutex> lock(StateMutex());
    State() = TState();
}

void TControllerSimulation::SetNodeCount(int count) {
    std::lock_guard<std::mutex> lock(StateMutex());
    State().fNodeCount = count;
}

int TControllerSimulation::GetNodeCount() {
    std::lock_guard<std::mutex> lock(StateMutex());
    return State().fNodeCount;
}

void TControllerSimulation::SetControllerIndex(int node, int index) {
    std::lock_guard<std::mutex> lock(StateMutex());
    State().fControllerIndexes[node] = index;
}

int TControllerSimulation::GetControllerIndex(int node) {
    std::lock_guard<std::mutex> lock(StateMutex());
    auto found = State().fControllerIndexes.find(node);
    return found == State().fControllerIndexes.end() ? node : found->second;
}

void TControllerSimulation::SetLibraryMissing(bool missing) {
    std::lock_guard<std::mutex> lock(StateMutex());
    State().fLibraryMissing = missing;
}

bool TControllerSimulation::IsLibraryMissing() {
    std::lock_guard<std::mutex> lock(StateMutex());
    return State().fLibraryMissing;
}

void TControllerSimulation::SetIPMIAnswer(unsigned char completionCode, const std::string& buildId) {
    std::lock_guard<std::mutex> lock(StateMutex());
    State().fCompletionCode = completionCode;
    State().fBuildId = buildId.substr(0, kBuildIdLength);
    State().fBuildId.resize(kBuildIdLength, ' ');
}

void TControllerSimulation::SetSendFailure(bool failing) {
    std::lock_guard<std::mutex> lock(StateMutex());
    State().fSendFailing = failing;
}

bool TControllerSimulation::Answer(unsigned char* buffer, int* length, int maxLength, bool waitForResponse) {
    std::lock_guard<std::mutex> lock(StateMutex());
    const TState& state = State();
    if (!buffer || !length || *length < 0 || *length > maxLength || state.fSendFailing) {
        return false;
    }
    if (!waitForResponse) {
        *length = 0;
        return true;
    }
    const bool firmwareRequest = IsFirmwareVersionRequest(buffer, *length);
    const int answerLength = AnswerLength(firmwareRequest, state);
    if (maxLength < answerLength) {
        return false;
    }
    WriteAnswer(buffer, answerLength, firmwareRequest, state);
    *length = answerLength;
    return true;
}

}  // namespace NVORNQEL20
